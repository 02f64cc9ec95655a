// The label font window ("Skriftvindu"): a small always-on-top tool window
// shown while a text label is edited. Its face, size, colour, bold and italic
// act on the memo of the active graph window, and between two labels it keeps
// what the next new label receives.
#pragma once

#include <QDialog>
#include <array>

#include "graph/tlabeltool.h"
#include "platform/surface.h"

class QComboBox;
class QPainter;
class QToolButton;

// What the font window needs from the main window.
class tfonthost {
 public:
  virtual ~tfonthost() = default;
  // The memo of the active graph window; nullptr when there is none.
  virtual tlabelmemo* activememo() = 0;
  // The active window's paint lock, held while its memo's font changes.
  virtual void setpaintlock(bool on) = 0;
  // The user closed the window: the select tool becomes current.
  virtual void fontwindowclosed() = 0;
};

class tfontwindow : public QDialog, public tlabelfonts {
 public:
  static constexpr int helpcontext = 48;
  static constexpr int itemheight = 13;
  static constexpr std::array<int, 16> sizes{8, 9, 10, 11, 12, 14, 16, 18,
                                             20, 22, 24, 26, 28, 36, 48, 72};
  // black, red, green, blue, white, maroon, olive, navy, purple, teal, gray,
  // silver, lime, fuchsia, aqua
  static constexpr std::array<platform::colour, 15> colours{
      platform::rgb(0, 0, 0),       platform::rgb(255, 0, 0),     platform::rgb(0, 128, 0),
      platform::rgb(0, 0, 255),     platform::rgb(255, 255, 255), platform::rgb(128, 0, 0),
      platform::rgb(128, 128, 0),   platform::rgb(0, 0, 128),     platform::rgb(128, 0, 128),
      platform::rgb(0, 128, 128),   platform::rgb(128, 128, 128), platform::rgb(192, 192, 192),
      platform::rgb(0, 255, 0),     platform::rgb(255, 0, 255),   platform::rgb(0, 255, 255)};

  // Lists the faces and selects the start font's face and size, and black.
  tfontwindow(tfonthost& host, const platform::font& start, QWidget* parent = nullptr);

  // --- handlers (the controls call them; tests call them directly)
  void combobox1change();
  void combobox2change();
  void combobox3change();
  void speedbutton1click();
  void speedbutton2click();
  // Draws colour item index into rect: aqua behind a selected item, black
  // behind the others, the colour inset by 2 pixels.
  static void combobox3drawitem(QPainter& painter, const QRect& rect, int index, bool selected);

  // --- tlabelfonts
  void applyall() override;
  void loadfont(const platform::font& f) override;
  bool visible() const override { return isVisible(); }
  void setvisible(bool on) override { setVisible(on); }

  // --- the controls, for the tests
  QComboBox& combobox1() { return *faces_; }
  QComboBox& combobox2() { return *sizebox_; }
  QComboBox& combobox3() { return *colourbox_; }
  QToolButton& speedbutton1() { return *bold_; }
  QToolButton& speedbutton2() { return *italic_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs change on the active window's memo font with its paint lock held.
  template <typename F>
  void change(F&& edit);

  tfonthost& host_;
  QComboBox* faces_ = nullptr;
  QComboBox* sizebox_ = nullptr;
  QComboBox* colourbox_ = nullptr;
  QToolButton* bold_ = nullptr;
  QToolButton* italic_ = nullptr;
};
