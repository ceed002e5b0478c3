#include "app/store/terminology.h"

#include <span>
#include <string_view>

namespace store {

namespace {

struct TermRow {
  std::string_view plural;
  std::string_view singular;
  std::string_view gender;
};

constexpr TermRow kProjectRows[] = {
    {"Chantiers", "Chantier", "M"},   {"Services", "Service", "M"},
    {"Lieux", "Lieu", "M"},           {"Projets", "Projet", "M"},
    {"Magasins", "Magasin", "M"},     {"Patients", "Patient", "M"},
    {"Objets", "Objet", "M"},         {"Activités", "Activité", "F"},
    {"Commandes", "Commande", "F"},   {"Salles", "Salle", "F"},
    {"Clients", "Client", "M"},       {"Profs", "Prof", "M"},
};

constexpr TermRow kActivityRows[] = {
    {"Étapes", "Étape", "F"},
    {"Périodes", "période", "F"},
    {"Activités", "Activité", "F"},
    {"Tâches", "Tâche", "F"},
    {"Locations", "Location", "F"},
    {"Rendez-vous", "Rendez-vous", "M"},
    {"Réparations", "Réparation", "F"},
    {"Réservations", "Réservation", "F"},
    {"Livraisons", "Livraison", "F"},
    {"Cours", "Cours", "M"},
    {"Dépannages", "Dépannage", "M"},
    {"Opérations", "Opération", "F"},
};

constexpr TermRow kResourceRows[] = {
    {"Ressources / Personnes", "Ress. / Pers.", "F"},
    {"Ressources", "Ressource", "F"},
    {"Personnes", "Personne", "F"},
    {"Véhicules / Accessoires", "Véhic. / Acc.", "M"},
    {"Traitements", "Traitement", "M"},
    {"Matériels", "Matériel", "M"},
    {"Extras / Matériels", "Extra/Matériel", "M"},
    {"Véhicules / Personnes", "Véhic./Pers.", "M"},
    {"Élèves / Profs / Matériels", "Élève/Prof/Mat.", "M"},
    {"Matériels / Personnes", "Mat./Personne", "M"},
    {"Lieux / Activités", "Lieux/Act.", "M"},
    {"Classes", "Classe", "F"},
};

void Apply(Terms& terms, std::span<const TermRow> rows) {
  for (const TermRow& row : rows) {
    if (terms[0] == row.plural) {
      terms[1] = row.singular;
      terms[2] = row.gender;
      return;
    }
  }
}

}  // namespace

void ApplyTerminology(Planner& planner) {
  Apply(planner.ProjectTerms, kProjectRows);
  Apply(planner.ActivityTerms, kActivityRows);
  Apply(planner.ResourceTerms, kResourceRows);
}

}  // namespace store
