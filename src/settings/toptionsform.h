// The options dialog "Innstillinger": four pages that edit the settings record
// of the options (coordinate window, colours, parameter constants, letters and
// the function-name prefix). It stays open beside the other windows; on OK it
// commits its fields into the options and pushes them to the rest of the
// program through a toptionshost, so the dialog can be tested on its own.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "platform/services.h"

class toptions;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// What one parameter box holds: its limits, step, interval, direction and format.
struct tboxsettings {
  float min = -100;
  float max = 100;
  float step = 0.01f;
  float interval = 1;
  int32_t direction = -1;
  std::string format = "%.2f";
};

// The rest of the program as the options dialog sees it.
class toptionshost {
 public:
  virtual ~toptionshost() = default;
  // What parameter box p (1..5) holds now.
  virtual tboxsettings boxsettings(int p) const = 0;
  // Hands new settings to parameter box p.
  virtual void setboxsettings(int p, const tboxsettings& s) = 0;
  // The current graph window takes its background, colours, grid switch and
  // coordinate range from the options.
  virtual void applywindow() = 0;
  // The parameter letters are now the options' letters; `old` are the ones in
  // force when the dialog was shown (user formulas, panel labels, menu captions).
  virtual void letterschanged(const std::string& old) = 0;
  // The function-name prefix is set (panel refresh with the window's first function).
  virtual void setfuncname(const std::string& prefix) = 0;
  virtual void redrawwindow() = 0;
};

class toptionsform : public QDialog {
 public:
  static constexpr int helpcontext = 49;
  static constexpr const char* duplicatename = "Kan ikke ha to parameter med samme navn.";
  // Windows-1252, as every text handed to the services.
  static constexpr const char* badrange = "Minste verdi m\xE5 v\xE6re mindre enn st\xF8rste verdi.";
  static constexpr const char* badstep = "Trinnet m\xE5 v\xE6re st\xF8rre enn 0.";
  static constexpr const char* badcoordinate = "Koordinatene m\xE5 ligge mellom -700 og 700.";

  toptionsform(toptions& options, platform::services& services, toptionshost& host,
               QWidget* parent = nullptr);
  ~toptionsform() override;

  // --- handlers (the widgets call them; tests call them directly)
  // Fills the fields from the options and the parameter boxes; runs at every showing.
  void formshow();
  void selectparam(int p, bool on);  // CheckBox1..5
  void selectall(bool on);           // CheckBox6
  void minmaxchanged();              // MinPa or MaxPA edited
  void intervalchanged();            // IntPa edited or left
  void directionclicked();           // CheckBox7
  // Edit1..5 left; false when the letter was refused.
  bool letterleft(int p);
  // OK; false when a field held no number and the dialog stays open.
  bool okclick();
  void cancelclick();
  // "Lagre innstillinger": OK, then the settings file.
  bool saveclick();

  // "%.2f" from "0,01": the decimals of a step text, counted as the zeros right
  // after the decimal mark plus one; "," and "." both count as the mark.
  static std::string formatfromstep(const std::string& text);
  // A value shown with a "%.Nf" format and the decimal separator.
  static std::string formatvalue(float v, const std::string& format, char separator);
  // A step shown with the format's decimals, or with more when it needs them
  // to be read back (0.001 with "%.2f" shows "0,001", never "0,00").
  static std::string formatstep(float v, const std::string& format, char separator);

  // --- state, for the tests
  const std::array<bool, 5>& selection() const { return selected_; }
  const std::string& shownletters() const { return oldletters_; }
  bool letterschanged() const { return letterschanged_; }
  QLineEdit* field(const char* name) const;
  QCheckBox* checkbox(int k) const;           // 1..7, 8 = "Avrund verdier"
  QComboBox* colourgrid(int k) const;         // 1..6 (1: axes), 0 = background of grid 1
  QRadioButton* funcnamebutton(int i) const;  // 0..3
  QLineEdit* letterfield(int p) const;        // 1..5
  QTabWidget* pages() const { return pages_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void build();
  QComboBox* makecolourgrid(const char* name);
  void showparam(int p);
  void markdifferent();
  // A number field; reports a text that is no number and gives no value.
  bool readnumber(QLineEdit* edit, float& out, bool report);
  // The text a window end is kept and saved as: as typed when the settings
  // file reads it back as the same number, otherwise that number written out.
  std::string windowendtext(QLineEdit* edit, float value) const;
  // The fields' values into the options; false when one held no number.
  bool commit();
  char separator() const;

  toptions& options_;
  platform::services& services_;
  toptionshost& host_;
  bool updating_ = false;
  bool letterschanged_ = false;
  std::string oldletters_;
  std::array<bool, 5> selected_{true, true, true, true, true};

  QTabWidget* pages_ = nullptr;
  QLineEdit* minx_ = nullptr;
  QLineEdit* maxx_ = nullptr;
  QLineEdit* miny_ = nullptr;
  QLineEdit* maxy_ = nullptr;
  QLineEdit* gridstep_ = nullptr;
  QLineEdit* intstep_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QCheckBox* intgrid_ = nullptr;
  std::array<QComboBox*, 7> colours_{};  // 0 background, 1 axes, 2 grid, 3..6 graphs
  std::array<QCheckBox*, 8> checks_{};   // CheckBox1..7, DoRound
  QLineEdit* minpa_ = nullptr;
  QLineEdit* maxpa_ = nullptr;
  QLineEdit* steppa_ = nullptr;
  QLineEdit* intpa_ = nullptr;
  std::array<QRadioButton*, 4> funcnames_{};
  std::array<QLineEdit*, 5> letters_{};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* save_ = nullptr;
};
