#include "platform/qt/thelptopics.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTextDocumentFragment>
#include <algorithm>
#include <array>
#include <mutex>

// The pages are compiled into this static library; naming the resource here
// keeps the linker from dropping it.
static void inithelpresources() {
  static std::once_flag once;
  std::call_once(once, [] { Q_INIT_RESOURCE(helppages); });
}

namespace platform {

namespace {

constexpr std::array<thelppage, 63> pagetable{{
    {0, "innhold.html", "Innhold"},
    {0, "tarnelo.html", "Tarnelo"},
    {0, "hvordan.html", "Hvordan bruke hjelp"},
    {1, "emne01.html", "Hovedvinduet"},
    {5, "emne05.html", "Fil-menyen"},
    {6, "emne06.html", "Nytt grafvindu"},
    {7, "emne07.html", "Nytt prosjekt"},
    {9, "emne09.html", "Lagre prosjekt"},
    {10, "emne10.html", "Lagre som"},
    {11, "emne11.html", "Lukk grafvindu"},
    {12, "emne12.html", "Skriv ut"},
    {13, "emne13.html", "Skriveroppsett"},
    {14, "emne14.html", "Avslutt"},
    {15, "emne15.html", "Rediger-menyen"},
    {16, "emne16.html", "Slett"},
    {17, "emne17.html", "Angre sletting"},
    {18, "emne18.html", "Klipp"},
    {19, "emne19.html", "Kopier"},
    {20, "emne20.html", "Lim inn"},
    {21, "emne21.html", "Kopier som grafikk til klippebordet"},
    {22, "emne22.html", "Ny graf-menyen"},
    {23, "emne23.html", "Linje"},
    {24, "emne24.html", "Parabel"},
    {25, "emne25.html", "Hyperbel"},
    {26, "emne26.html", "Trigonometriske funksjoner"},
    {27, "emne27.html", "Polynom av 3. og 4. grad"},
    {28, "emne28.html", "Egendefinert funksjon"},
    {29, "emne29.html", "Vis-menyen"},
    {30, "emne30.html", "Normal (1:1)"},
    {31, "emne31.html", "Zoom inn (2:1) til (9:1)"},
    {32, "emne32.html", "Zoom ut (1:2) til (1:9)"},
    {33, "emne33.html", "Interpolasjon"},
    {34, "emne34.html", "Verktøy-menyen"},
    {35, "emne35.html", "Velg"},
    {36, "emne36.html", "Zoom inn med rektangel"},
    {37, "emne37.html", "Zoom ut ett trinn"},
    {38, "emne38.html", "Lås punkt (fikspunkt)"},
    {40, "emne40.html", "Oppgi koordinater for et fikspunkt"},
    {41, "emne41.html", "Vri"},
    {42, "emne42.html", "Flytt"},
    {43, "emne43.html", "Tangent"},
    {44, "emne44.html", "Derivere"},
    {45, "emne45.html", "Finn skjæringspunkt"},
    {46, "emne46.html", "Frys/tin opp graf"},
    {47, "emne47.html", "Tekst"},
    {48, "emne48.html", "Skriftvindu"},
    {49, "emne49.html", "Innstillinger"},
    {54, "emne54.html", "Vindu-menyen"},
    {55, "emne55.html", "Side om side og knappegruppene"},
    {56, "emne56.html", "Overlappe"},
    {57, "emne57.html", "Hjelp-menyen"},
    {58, "emne58.html", "Innholdet i hjelpen"},
    {59, "emne59.html", "Søke etter hjelp og Funksjonsuttrykk"},
    {60, "emne60.html", "Hvordan bruke hjelp og Funksjonstype"},
    {61, "emne61.html", "Om Tarnelo"},
    {63, "emne63.html", "Funksjonspanelet"},
    {67, "emne67.html", "Grafvinduet"},
    {68, "emne68.html", "Åpne"},
    {70, "emne70.html", "Verktøylinjen"},
    {71, "emne71.html", "Statuslinjen"},
    {72, "emne72.html", "Finn spesielle punkter"},
    {73, "emne73.html", "Verditabell"},
    {74, "emne74.html", "Angre og Gjør om"},
}};

constexpr std::size_t firsttopic = 3;

// Page texts are read once; the pages never change while the program runs.
const QString& cachedplain(const thelppage& page) {
  static QHash<const thelppage*, QString> cache;
  auto it = cache.find(&page);
  if (it == cache.end()) {
    QString text = QString::fromUtf8(page.title) + QLatin1Char('\n') +
                   QTextDocumentFragment::fromHtml(thelptopics::html(page)).toPlainText();
    it = cache.insert(&page, text.toCaseFolded());
  }
  return *it;
}

}  // namespace

std::span<const thelppage> thelptopics::pages() {
  return pagetable;
}

std::span<const thelppage> thelptopics::topics() {
  return std::span<const thelppage>(pagetable).subspan(firsttopic);
}

const thelppage* thelptopics::find(int context) {
  if (context <= 0) return nullptr;
  for (const auto& p : topics())
    if (p.context == context) return &p;
  return nullptr;
}

const thelppage* thelptopics::findfile(const QString& file) {
  for (const auto& p : pagetable)
    if (file == QLatin1String(p.file)) return &p;
  return nullptr;
}

QUrl thelptopics::url(const thelppage& page) {
  return QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page.file));
}

QUrl thelptopics::url(int context) {
  const thelppage* p = find(context);
  return p ? url(*p) : contentsurl();
}

QUrl thelptopics::contentsurl() {
  return url(pagetable[0]);
}
QUrl thelptopics::overviewurl() {
  return url(pagetable[1]);
}
QUrl thelptopics::howtouseurl() {
  return url(pagetable[2]);
}

QString thelptopics::html(const thelppage& page) {
  inithelpresources();
  QFile f(QStringLiteral(":/help/") + QLatin1String(page.file));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

QString thelptopics::plaintext(const thelppage& page) {
  return QString::fromUtf8(page.title) + QLatin1Char('\n') +
         QTextDocumentFragment::fromHtml(html(page)).toPlainText();
}

std::vector<const thelppage*> thelptopics::search(const QString& words) {
  const QStringList wanted =
      words.toCaseFolded().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  std::vector<const thelppage*> intitle, inbody;
  if (wanted.isEmpty()) return {};
  // The contents page names every topic, so it would match every title word.
  for (const auto& p : pages().subspan(1)) {
    const QString& text = cachedplain(p);
    const bool all = std::all_of(wanted.begin(), wanted.end(),
                                 [&](const QString& w) { return text.contains(w); });
    if (!all) continue;
    const QString title = QString::fromUtf8(p.title).toCaseFolded();
    const bool titled = std::all_of(wanted.begin(), wanted.end(),
                                    [&](const QString& w) { return title.contains(w); });
    (titled ? intitle : inbody).push_back(&p);
  }
  intitle.insert(intitle.end(), inbody.begin(), inbody.end());
  return intitle;
}

}  // namespace platform
