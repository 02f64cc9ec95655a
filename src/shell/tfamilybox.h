// The function panel's family selector: a drop-down list whose entries are
// formula markup, each drawn by tmathbox in an entry 33 pixels high, the
// selected one in white on the active-caption colour. It opens with 10 rows,
// or 6 on a screen 640 pixels wide.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

class tfamilybox : public QComboBox {
 public:
  static constexpr int entryheight = 33;
  static constexpr size_t maxentry = 80;  // characters of an entry drawn

  explicit tfamilybox(QWidget* parent = nullptr);

  // Replaces the entries (keeping the selected index where it still exists).
  void setentries(const std::vector<std::string>& texts);
  // The markup entry i draws: its first 80 characters; entries from 11 on
  // draw entry 0's text.
  std::string entrytext(int i) const;
  // Rows shown when the list opens, for a screen of this width.
  static int rowsfor(int screenwidth) { return screenwidth == 640 ? 6 : 10; }
  // An entry drawn as the list draws it.
  QImage renderentry(int i, int width, bool selected) const;

  // Set when the list opens.
  bool droppeddown = false;

 protected:
  void showPopup() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::string> texts_;
};
