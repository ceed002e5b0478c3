#include "app/store/system_error_text.h"

#include <cerrno>

namespace store {

std::string SystemErrorText(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EROFS:
      return "support en lecture seule";
    case ENOSPC:
    case EDQUOT:
      return "espace disque insuffisant";
    case EFBIG:
      return "fichier trop volumineux";
    case ENOENT:
      return "dossier introuvable";
    case ENOTDIR:
      return "le chemin ne désigne pas un dossier";
    case ENODEV:
      return "le chemin ne désigne pas un fichier ordinaire";
    case EISDIR:
      return "le chemin désigne un dossier et non un fichier";
    case ENOTEMPTY:
      return "le chemin désigne un dossier non vide et non un fichier";
    case EIO:
      return "erreur d'entrée-sortie";
    case ELOOP:
      return "le chemin est un lien symbolique qui n'est pas permis ici, ou une boucle de liens";
    case EBUSY:
    case ETXTBSY:
      return "fichier ou dossier occupé par le système ou un autre programme";
    case EMFILE:
    case ENFILE:
      return "trop de fichiers ouverts";
    case ENOMEM:
      return "mémoire insuffisante";
    case ENAMETOOLONG:
      return "nom de fichier trop long";
    case EEXIST:
      return "un fichier de ce nom existe déjà";
    case EXDEV:
      return "déplacement impossible d'un disque à un autre";
    case EAGAIN:
      return "ressource momentanément indisponible, réessayez plus tard";
    case EINVAL:
      return "opération non valide pour ce fichier";
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case ETIMEDOUT:
      return "le support réseau ne répond plus";
    case ENXIO:
      return "le périphérique n'est pas disponible";
    default:
      return "le système a signalé l'erreur n° " + std::to_string(error);
  }
}

}  // namespace store
