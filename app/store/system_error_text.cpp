#include "app/store/system_error_text.h"

#include <cerrno>
#include <cstring>

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
    case EIO:
      return "erreur d'entrée-sortie";
    default:
      return std::strerror(error);
  }
}

}  // namespace store
