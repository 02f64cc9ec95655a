#include "platform/qt/qtservices.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <cmath>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"
#include "platform/qt/thelpkey.h"
#include "platform/qt/thelpwindow.h"

namespace platform {

namespace {

// Pages are drawn at this resolution: enough for a graph, and an A4 page
// stays below 10 MB.

}  // namespace

qtservices::qtservices(QWidget* parent, const QLocale& locale) : parent_(parent) {
  const std::string sep = tocp1252(locale.decimalPoint());
  separator_ = sep.size() == 1 && sep[0] != '?' ? sep[0] : '.';
  helpkey_ = std::make_unique<thelpkey>(*this);
}

qtservices::~qtservices() {
  enddoc();
  while (busy_ > 0) setbusycursor(false);
}

QString qtservices::messagetext(const std::string& text) {
  QString q = tounicode(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  return q;
}

msgresult qtservices::messagebox(const std::string& text, const std::string& caption, msgkind kind,
                                 msgbuttons buttons) {
  QMessageBox box(parent_);
  switch (kind) {
    case msgkind::information:
      box.setIcon(QMessageBox::Information);
      break;
    case msgkind::warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case msgkind::error:
      box.setIcon(QMessageBox::Critical);
      break;
    case msgkind::confirmation:
      box.setIcon(QMessageBox::Question);
      break;
  }
  box.setWindowTitle(caption.empty() ? QGuiApplication::applicationDisplayName()
                                     : tounicode(caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(messagetext(text));

  struct choice {
    QPushButton* button;
    msgresult result;
  };
  std::vector<choice> choices;
  auto add = [&](const char* label, QMessageBox::ButtonRole role, msgresult r) {
    choices.push_back({box.addButton(QString::fromUtf8(label), role), r});
  };
  switch (buttons) {
    case msgbuttons::ok:
      add("OK", QMessageBox::AcceptRole, msgresult::ok);
      break;
    case msgbuttons::okcancel:
      add("OK", QMessageBox::AcceptRole, msgresult::ok);
      add("Avbryt", QMessageBox::RejectRole, msgresult::cancel);
      break;
    case msgbuttons::yes:
      add("Ja", QMessageBox::YesRole, msgresult::yes);
      break;
    case msgbuttons::yesno:
      add("Ja", QMessageBox::YesRole, msgresult::yes);
      add("Nei", QMessageBox::NoRole, msgresult::no);
      break;
    case msgbuttons::yesnocancel:
      add("Ja", QMessageBox::YesRole, msgresult::yes);
      add("Nei", QMessageBox::NoRole, msgresult::no);
      add("Avbryt", QMessageBox::RejectRole, msgresult::cancel);
      break;
  }
  box.setDefaultButton(choices.front().button);
  // Escape or closing the window answers with the last button: Avbryt, Nei,
  // or the only one there is.
  box.setEscapeButton(choices.back().button);
  box.exec();
  for (const auto& c : choices)
    if (box.clickedButton() == c.button) return c.result;
  return choices.back().result;
}

QStringList qtservices::namefilters(const std::string& filter) {
  const QStringList parts = tounicode(filter).split(QChar('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts);
    for (auto& p : patterns) p = p.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) continue;
    QString description = parts[i].trimmed();
    // Qt reads the patterns from the last parentheses; keep any in the
    // description from being taken for them.
    description.replace(QChar('('), QChar('[')).replace(QChar(')'), QChar(']'));
    out.append(description + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')'));
  }
  return out;
}

QString qtservices::filtersuffix(const QString& namefilter) {
  const qsizetype open = namefilter.lastIndexOf(QChar('('));
  const qsizetype close = namefilter.lastIndexOf(QChar(')'));
  if (open < 0 || close <= open) return {};
  const QString pattern = namefilter.mid(open + 1, close - open - 1).split(QChar(' ')).value(0);
  if (!pattern.startsWith(QStringLiteral("*.")) || pattern.size() < 3) return {};
  const QString suffix = pattern.mid(2);
  if (suffix.contains(QChar('*')) || suffix.contains(QChar('?'))) return {};
  return suffix;
}

bool qtservices::filedialogrun(filedialog& d, bool save) {
  QFileDialog dialog(parent_, tounicode(d.title));
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (d.helpcontext != 0) dialog.setProperty("helpcontext", d.helpcontext);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.overwriteprompt);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(d.mustexist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  const QStringList filters = namefilters(d.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  const int index = d.filterindex >= 1 && d.filterindex <= filters.size() ? d.filterindex : 1;
  // A name without extension gets the chosen filter's, or the default one.
  auto suffixfor = [&](const QString& f) {
    const QString s = filtersuffix(f);
    return s.isEmpty() ? tounicode(d.defaultext) : s;
  };
  if (!filters.isEmpty()) {
    dialog.selectNameFilter(filters[index - 1]);
    dialog.setDefaultSuffix(suffixfor(filters[index - 1]));
  } else {
    dialog.setDefaultSuffix(tounicode(d.defaultext));
  }
  if (!d.filename.empty()) dialog.selectFile(tounicode(d.filename));
  // Choosing another file type starts the name afresh.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
    dialog.setDefaultSuffix(suffixfor(f));
    dialog.selectFile(QString());
  });

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().first();
  const std::string name = tocp1252(chosen);
  if (tounicode(name) != chosen) {
    // The program keeps file names in its own 8-bit text; a name it cannot
    // hold would be saved to or read from the wrong file.
    messagebox("Filnavnet inneholder tegn som ikke kan brukes:\r" + name, "", msgkind::error,
               msgbuttons::ok);
    return false;
  }
  d.filename = name;
  const qsizetype chosenfilter = filters.indexOf(dialog.selectedNameFilter());
  d.filterindex = chosenfilter >= 0 ? static_cast<int>(chosenfilter) + 1 : index;
  return true;
}

bool qtservices::openfile(filedialog& d) {
  return filedialogrun(d, false);
}

bool qtservices::savefile(filedialog& d) {
  return filedialogrun(d, true);
}

// --- printer (a plain implementation: one page image per page)

bool qtservices::printeravailable() {
  // Printing to a PDF file is always possible.
  return true;
}

static void preparepdf(QPrinter& p) {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    p.setOutputFormat(QPrinter::PdfFormat);
    if (p.outputFileName().isEmpty())
      p.setOutputFileName(QDir::home().filePath(QStringLiteral("tarnelo.pdf")));
  }
}

bool qtservices::printersetupdialog() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    preparepdf(*printer_);
  }
  QPageSetupDialog dialog(printer_.get(), parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool qtservices::printdialog() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    preparepdf(*printer_);
  }
  if (printfile_) return true;
  QPrintDialog dialog(printer_.get(), parent_);
  return dialog.exec() == QDialog::Accepted;
}

surface* qtservices::begindoc(const std::string& title) {
  enddoc();
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    preparepdf(*printer_);
  }
  printer_->setDocName(tounicode(title));
  const QRect r = printer_->pageRect(QPrinter::DevicePixel).toAlignedRect();
  page_ = std::make_unique<qtsurface>(printer_->resolution());
  page_->attach(printer_.get(), r.width(), r.height());
  // Lines and steps measured in screen pixels keep their size on paper.
  page_->setpenscale(static_cast<int>(std::lround(printer_->resolution() / 96.0)));
  if (r.isEmpty() || !page_->painter().isActive()) {
    page_.reset();
    return nullptr;
  }
  return page_.get();
}

int qtservices::pagewidth() {
  return page_ ? printer_->pageRect(QPrinter::DevicePixel).toAlignedRect().width() : 0;
}

int qtservices::pageheight() {
  return page_ ? printer_->pageRect(QPrinter::DevicePixel).toAlignedRect().height() : 0;
}

int qtservices::pixelsperinch() {
  return printer_ ? printer_->resolution() : 0;
}

void qtservices::setprintfile(const QString& path) {
  enddoc();
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(path);
  printfile_ = true;
}

void qtservices::newpage() {
  if (!page_) return;
  printer_->newPage();
}

void qtservices::enddoc() {
  if (!page_) return;
  page_->detach();  // ends the painter: the document is written
  page_.reset();
}

// --- the rest

void qtservices::copytexttoclipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(tounicode(text));
}

void qtservices::copytoclipboard(const image& picture) {
  QImage copy;
  if (auto* q = dynamic_cast<const qtimage*>(&picture)) {
    copy = q->qimage().copy();  // a snapshot: the window keeps drawing into its image
  } else {
    copy =
        QImage(std::max(0, picture.width()), std::max(0, picture.height()), QImage::Format_RGB32);
    auto& canvas = const_cast<image&>(picture).canvas();
    for (int y = 0; y < copy.height(); ++y)
      for (int x = 0; x < copy.width(); ++x)
        copy.setPixel(x, y, canvas.getpixel(x, y) | 0xFF000000u);
  }
  if (copy.isNull()) return;
  QGuiApplication::clipboard()->setImage(copy);
}

thelpwindow& qtservices::helpwindow() {
  if (!helpwindow_) helpwindow_ = std::make_unique<thelpwindow>();
  return *helpwindow_;
}

void qtservices::helptopic(int topic) {
  if (help_.topic)
    help_.topic(topic);
  else
    helpwindow().showtopic(topic);
}

void qtservices::helpcontents() {
  if (help_.contents)
    help_.contents();
  else
    helpwindow().showcontents();
}

void qtservices::helpsearch(const std::string& key) {
  if (help_.search)
    help_.search(key);
  else
    helpwindow().showsearch(tounicode(key));
}

void qtservices::helponhelp() {
  if (help_.howtouse)
    help_.howtouse();
  else
    helpwindow().showhowtouse();
}

bool qtservices::startprogram(const std::string& path, const std::string& parameters) {
  QString program = tounicode(path);
  if (program.isEmpty()) return false;
  if (!program.contains(QChar('/'))) {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(program);
    if (QFileInfo(beside).isExecutable()) program = beside;
  }
  return QProcess::startDetached(program, QProcess::splitCommand(tounicode(parameters)));
}

void qtservices::movepointer(int x, int y) {
  QCursor::setPos(x, y);
}

void qtservices::setbusycursor(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QGuiApplication::restoreOverrideCursor();
    --busy_;
  }
}

}  // namespace platform
