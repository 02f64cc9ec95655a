// The desktop services on Qt: real message boxes with Norwegian buttons, file
// dialogs, the printer, the system clipboard, starting programs, the pointer.
#pragma once

#include <QImage>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/services.h"

class QPainter;
class QPrinter;
class QWidget;

namespace platform {

class qtimage;
class qtsurface;
class thelpkey;
class thelpwindow;

class qtservices : public services {
 public:
  // The decimal separator is read from locale once, here.
  explicit qtservices(QWidget* parent = nullptr, const QLocale& locale = QLocale::system());
  ~qtservices() override;
  qtservices(const qtservices&) = delete;
  qtservices& operator=(const qtservices&) = delete;

  // Dialogs and boxes open over this window.
  void setparent(QWidget* parent) { parent_ = parent; }

  // "Grafprosjekt|*.QVP|Grafvindu|*.QVW" -> {"Grafprosjekt (*.QVP)", "Grafvindu (*.QVW)"};
  // several patterns "*.a;*.b" become "(*.a *.b)". A description without a
  // pattern is dropped.
  static QStringList namefilters(const std::string& filter);
  // "*.QVW" -> "QVW"; empty when the pattern names no single extension.
  static QString filtersuffix(const QString& namefilter);
  // Line breaks as the program writes them ("\r", "\r\n") to "\n".
  static QString messagetext(const std::string& text);

  msgresult messagebox(const std::string& text, const std::string& caption, msgkind kind,
                       msgbuttons buttons) override;
  bool openfile(filedialog& d) override;
  bool savefile(filedialog& d) override;

  bool printeravailable() override;
  bool printersetupdialog() override;
  bool printdialog() override;
  surface* begindoc(const std::string& title) override;
  int pagewidth() override;
  int pageheight() override;
  int pixelsperinch() override;
  void newpage() override;
  void enddoc() override;
  // Prints into this PDF file from now on, without asking for a printer: the
  // print dialog is taken as accepted.
  void setprintfile(const QString& path);

  void copytoclipboard(const image& picture) override;
  void copytexttoclipboard(const std::string& text) override;

  // Help is shown in the program's help window, made when first asked for;
  // F1 anywhere asks for the topic of what has the focus. A viewer installed
  // here takes the requests instead.
  struct helpviewer {
    std::function<void(int)> topic;
    std::function<void()> contents;
    std::function<void(const std::string&)> search;
    std::function<void()> howtouse;
  };
  void sethelpviewer(helpviewer viewer) { help_ = std::move(viewer); }
  thelpwindow& helpwindow();
  void helptopic(int topic) override;
  void helpcontents() override;
  void helpsearch(const std::string& key) override;
  void helponhelp() override;

  // A bare program name is looked for beside the running program first.
  bool startprogram(const std::string& path, const std::string& parameters) override;
  void movepointer(int x, int y) override;
  void setbusycursor(bool busy) override;
  char decimalseparator() const override { return separator_; }

 private:
  bool filedialogrun(filedialog& d, bool save);

  QPointer<QWidget> parent_;
  char separator_ = ',';
  int busy_ = 0;
  helpviewer help_;
  std::unique_ptr<thelpwindow> helpwindow_;
  std::unique_ptr<thelpkey> helpkey_;

  // Printing: the page surface draws straight on the printer at its own
  // resolution, so a PDF keeps lines as paths and texts as text.
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<qtsurface> page_;
  bool printfile_ = false;
};

}  // namespace platform
