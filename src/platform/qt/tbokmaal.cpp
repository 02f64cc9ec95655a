#include "platform/qt/tbokmaal.h"

#include <cstring>

namespace platform {

namespace {

struct entry {
  const char* context;
  const char* source;
  const char* bokmaal;  // UTF-8
};

// Only texts whose Bokmål differs from Nynorsk, or that Qt's Nynorsk lacks.
constexpr entry table[] = {
    {"QFileDialog", "Open", "Åpne"},
    {"QFileDialog", "&Open", "&Åpne"},
    {"QFileDialog", "&Save", "&Lagre"},
    {"QFileDialog", "Save As", "Lagre som"},
    {"QFileDialog", "Look in:", "Søk i:"},
    {"QFileDialog", "File &name:", "Fil&navn:"},
    {"QFileDialog", "My Computer", "Datamaskin"},
    {"QFileDialog", "Parent Directory", "Overordnet mappe"},
    {"QFileDialog", "Go to the parent directory", "Gå til overordnet mappe"},
    {"QFileDialog", "Forward", "Fremover"},
    {"QFileDialog", "Go forward", "Gå fremover"},
    {"QFileDialog", "Create a New Folder", "Lag en ny mappe"},
    {"QFileDialog", "List View", "Listevisning"},
    {"QFileDialog", "Detail View", "Detaljert visning"},
    {"QFileDialog", "Change to list view mode", "Bytt til listevisning"},
    {"QFileDialog", "Change to detail view mode", "Bytt til detaljert visning"},
    {"QFileDialog", "Show &hidden files", "Vis &skjulte filer"},
    {"QFileDialog", "&Choose", "&Velg"},
    {"QFileDialog", "&Rename", "&Gi nytt navn"},
    {"QFileDialog", "Unknown", "Ukjent"},
    {"QFileDialog", "Shortcut", "Snarvei"},
    {"QFileDialog", "Recent Places", "Nylig brukte steder"},
    {"QFileDialog", "List of places and bookmarks", "Oversikt over steder og bokmerker"},
    {"QFileDialog", "Could not delete directory.", "Kunne ikke slette mappen."},
    {"QFileDialog", "Are you sure you want to delete '%1'?",
     "Er du sikker på at du vil slette «%1»?"},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "«%1» er skrivebeskyttet.\nVil du slette den likevel?"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "%1 finnes allerede.\nVil du erstatte den?"},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFant ikke filen.\nKontroller at du har oppgitt riktig filnavn."},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nFant ikke mappen.\nKontroller at du har oppgitt riktig mappenavn."},
    {"QFileSystemModel", "Name", "Navn"},
    {"QFileSystemModel", "Size", "Størrelse"},
    {"QFileSystemModel", "Kind", "Sort"},
    {"QFileSystemModel", "Date Modified", "Sist endret"},
    {"QFileSystemModel", "My Computer", "Datamaskin"},
    {"QFileSystemModel", "Invalid filename", "Ugyldig filnavn"},
    {"QFileSystemModel",
     "<b>The name \"%1\" cannot be used.</b><p>Try using another name, with fewer characters "
     "or no punctuation marks.",
     "<b>Navnet «%1» kan ikke brukes.</b><p>Prøv et annet navn, med færre tegn eller uten "
     "spesialtegn."},
    {"QPlatformTheme", "Open", "Åpne"},
    {"QPlatformTheme", "Save", "Lagre"},
    {"QPlatformTheme", "Save All", "Lagre alle"},
    {"QPlatformTheme", "Retry", "Prøv igjen"},
    {"QPlatformTheme", "Reset", "Tilbakestill"},
    {"QPlatformTheme", "Restore Defaults", "Gjenopprett standard"},
    {"QPlatformTheme", "Yes to &All", "Ja til &alle"},
    {"QPlatformTheme", "N&o to All", "Nei til a&lle"},
    {"QLineEdit", "&Undo", "&Angre"},
    {"QLineEdit", "&Redo", "&Gjør om"},
    {"QWidgetTextControl", "&Undo", "&Angre"},
    {"QWidgetTextControl", "&Redo", "&Gjør om"},
    {"QWidgetTextControl", "Copy &Link Location", "Kopier &lenkeadresse"},
    {"QMessageBox", "Show Details...", "Vis detaljer …"},
    {"QMessageBox", "Hide Details...", "Skjul detaljer …"},
    {"QPrintDialog", "&Options <<", "&Valg <<"},
    {"QPrintDialog", "&Options >>", "&Valg >>"},
    {"QPrintDialog", "Even Pages", "Partallssider"},
    {"QPrintDialog", "Odd Pages", "Oddetallssider"},
    {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?",
     "Filen %1 finnes allerede.\nVil du skrive over den?"},
    {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name.",
     "%1 er en mappe.\nVelg et annet navn."},
    {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.",
     "Du har ikke skrivetilgang til %1.\nVelg et annet navn."},
    {"QPrintDialog", "The 'From' value cannot be greater than the 'To' value.",
     "Fra-verdien kan ikke være større enn til-verdien."},
    {"QPrintWidget", "&Name:", "&Navn:"},
    {"QPrintWidget", "P&roperties", "&Egenskaper"},
    {"QPrintWidget", "Preview", "Forhåndsvis"},
    {"QPrintWidget", "Printer", "Skriver"},
    {"QPrintWidget", "Location:", "Plassering:"},
    {"QPrintSettingsOutput", "Color", "Farger"},
    {"QPrintSettingsOutput", "Copies", "Eksemplarer"},
    {"QPrintSettingsOutput", "Copies:", "Eksemplarer:"},
    {"QPrintSettingsOutput", "Pages from", "Sider fra"},
    {"QPrintSettingsOutput", "Current Page", "Gjeldende side"},
    {"QPrintSettingsOutput", "Selection", "Utvalg"},
    {"QPrintSettingsOutput", "Options", "Valg"},
    {"QPrintSettingsOutput", "Output Settings", "Utskriftsvalg"},
    {"QPrintSettingsOutput", "Grayscale", "Gråtoner"},
    {"QPrintSettingsOutput", "Short side binding", "Innbinding på kortsiden"},
    {"QPrintSettingsOutput", "Long side binding", "Innbinding på langsiden"},
    {"QPageSetupWidget", "Paper source:", "Papirkilde:"},
    {"QPageSetupWidget", "Page size:", "Sidestørrelse:"},
    {"QPageSetupWidget", "Width:", "Bredde:"},
    {"QPageSetupWidget", "Height:", "Høyde:"},
    {"QPageSetupWidget", "Margins", "Marger"},
    {"QPageSetupWidget", "top margin", "toppmarg"},
    {"QPageSetupWidget", "bottom margin", "bunnmarg"},
    {"QPageSetupWidget", "left margin", "venstremarg"},
    {"QPageSetupWidget", "right margin", "høyremarg"},
    {"QPageSetupWidget", "Custom", "Tilpasset"},
    {"QPageSetupWidget", "Portrait", "Stående"},
    {"QPageSetupWidget", "Landscape", "Liggende"},
    {"QPageSetupWidget", "Reverse portrait", "Omvendt stående"},
    {"QPageSetupWidget", "Reverse landscape", "Omvendt liggende"},
    {"QPageSetupWidget", "Page Layout", "Sideoppsett"},
    {"QPageSetupWidget", "Page order:", "Rekkefølge:"},
    {"QPageSetupWidget", "Inches (in)", "Tommer (in)"},
    {"QPrintPreviewDialog", "Print Preview", "Forhåndsvisning"},
    {"QPrintPreviewDialog", "Fit page", "Tilpass til siden"},
    {"QPrintPreviewDialog", "Fit width", "Tilpass til bredden"},
    {"QPrintPreviewDialog", "Portrait", "Stående"},
    {"QPrintPreviewDialog", "Landscape", "Liggende"},
    {"QPrintPreviewDialog", "Previous page", "Forrige side"},
    {"QPrintPreviewDialog", "Show single page", "Vis enkeltside"},
    {"QPrintPreviewDialog", "Show facing pages", "Vis motstående sider"},
    {"QPrintPreviewDialog", "Export to PDF", "Eksporter til PDF"},
};

}  // namespace

QString tbokmaal::translate(const char* context, const char* sourcetext, const char*, int) const {
  if (context == nullptr || sourcetext == nullptr) return {};
  for (const entry& e : table)
    if (std::strcmp(e.context, context) == 0 && std::strcmp(e.source, sourcetext) == 0)
      return QString::fromUtf8(e.bokmaal);
  return {};
}

}  // namespace platform
