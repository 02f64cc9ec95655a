// Text labels as a user makes and changes them: keys typed and text pasted
// into the memo, and the label dragged and resized with the mouse on the
// graph window, including after the window has shrunk.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "graph/tgrcanvas.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "guifixture.h"

namespace {

class labeleditingtest : public guitest {
 protected:
  tlabeltool& labels(tgrform& w) { return w.textlabels().tool(); }
  tmemoedit& memo(tgrform& w) { return w.textlabels().memoedit(); }

  static void press(tgrform& w, int x, int y) {
    QTest::mousePress(&w.canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  }
  static void release(tgrform& w, int x, int y) {
    QTest::mouseRelease(&w.canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  }
  // A move with the left button held, as the window system sends it.
  static void dragto(tgrform& w, int x, int y) {
    const QPointF at(x, y);
    QMouseEvent e(QEvent::MouseMove, at, w.canvas().mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&w.canvas(), &e);
  }
  static void drag(tgrform& w, int x0, int y0, int x1, int y1) {
    press(w, x0, y0);
    dragto(w, x1, y1);
    release(w, x1, y1);
  }
  // A key whose text is one character, as a keyboard layout that has it sends it.
  static void type(QWidget& to, const QString& character) {
    const int key = character.at(0).toUpper().unicode();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, character);
    QApplication::sendEvent(&to, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, character);
    QApplication::sendEvent(&to, &up);
  }

  // Drags out a label with the text tool and leaves it open for typing.
  tgralab* openlabel(tgrform& w, platform::rect r) {
    main->commands().item("text1")->trigger();
    drag(w, r.left, r.top, r.right, r.bottom);
    if (labels(w).labels.size() != 1) return nullptr;
    tgralab* made = labels(w).labels.back().get();
    // The memo entered without a platform focus event on the offscreen screen.
    if (!made->editing) labels(w).memo2enter();
    return made;
  }
  // Types the lines into the open label, Return between them, and closes it
  // by choosing the select tool.
  tgralab* makelabel(tgrform& w, platform::rect r, const std::vector<const char*>& lines) {
    tgralab* made = openlabel(w, r);
    if (!made) return nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(&memo(w), Qt::Key_Return);
      QTest::keyClicks(&memo(w), QString::fromLatin1(lines[i]));
    }
    main->commands().item("select1")->trigger();
    return made;
  }
  QString panel2() const { return main->paneltext(2); }
};

TEST_F(labeleditingtest, charactersalabelcannotholdarerefusedastheyaretyped) {
  tgrform& w = active();
  tgralab* l = openlabel(w, {20, 20, 220, 90});
  ASSERT_NE(l, nullptr);
  struct row {
    const char* typed;  // UTF-8
    bool taken;
  };
  const row rows[] = {
      {"a", true},
      {"\xCF\x80", false},      // pi
      {"\xC3\xA6", true},       // ae, in the code page
      {"\xE2\x88\x9A", false},  // square root
      {"\xE2\x82\xAC", true},   // euro, in the code page
      {"\xE2\x89\xA4", false},  // less than or equal
      {"b", true},
  };
  QString expected;
  for (const row& r : rows) {
    const QString c = QString::fromUtf8(r.typed);
    SCOPED_TRACE(c.toStdString());
    main->clearhint();
    type(memo(w), c);
    if (r.taken) {
      expected += c;
      EXPECT_TRUE(panel2().isEmpty());
    } else {
      EXPECT_EQ(panel2(), tmemoedit::typedrefusal(c));
    }
    EXPECT_EQ(memo(w).toPlainText(), expected);
  }
  main->commands().item("select1")->trigger();
  // What the memo showed is what the label holds: nothing became "?".
  EXPECT_EQ(l->text, std::vector<std::string>{"a\xE6\x80"
                                              "b"});
}

TEST_F(labeleditingtest, pastedtextisstoredwithavisiblereplacement) {
  struct row {
    const char* name;
    const char* pasted;  // UTF-8
    std::vector<std::string> stored;
    bool told;
  };
  const std::vector<row> rows = {
      {"fits", "x\xC2\xB2 + 1\n\xC3\xB8ving", {"x\xB2 + 1", "\xF8ving"}, false},
      {"replaced", "x \xE2\x89\xA5 0\nslutt", {"x ? 0", "slutt"}, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    tgralab* l = openlabel(w, {20, 20, 260, 120});
    ASSERT_NE(l, nullptr);
    main->clearhint();
    QApplication::clipboard()->setText(QString::fromUtf8(r.pasted));
    QTest::keyClick(&memo(w), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(panel2(), r.told ? tmemoedit::pastedreplacement() : QString());
    main->commands().item("select1")->trigger();
    EXPECT_EQ(l->text, r.stored);
  }
}

TEST_F(labeleditingtest, resizingkeepstheusersownlines) {
  struct row {
    const char* name;
    int narrowby;  // first step of the right handle, to the left
    int widenby;   // second step, to the right
  };
  const row rows[] = {
      {"widened", 0, 80},
      {"narrowedandwidenedagain", 150, 150},
      {"narrowedandwidenedfurther", 150, 220},
  };
  const std::vector<std::string> typed{"Linje en", "Linje to", "", "slutt"};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    tgralab* l = makelabel(w, {20, 20, 200, 120}, {"Linje en", "Linje to", "", "slutt"});
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(l->text, typed);
    const int y = l->top + l->height / 2 + 2;
    press(w, l->left + 10, l->top + 10);  // selects it
    release(w, l->left + 10, l->top + 10);
    const int width = l->width;
    int x = l->left + l->width - 2;
    if (r.narrowby > 0) {
      drag(w, x, y, x - r.narrowby, y);
      ASSERT_EQ(l->width, width - r.narrowby);
      EXPECT_GT(l->text.size(), typed.size());
      x -= r.narrowby;
    }
    drag(w, x, y, x + r.widenby, y);
    EXPECT_EQ(l->width, width - r.narrowby + r.widenby);
    EXPECT_EQ(l->text, typed);
  }
}

TEST_F(labeleditingtest, aplaindragafteraresizemovesthelabel) {
  tgrform& w = active();
  tgralab* l = makelabel(w, {40, 40, 200, 120}, {"abc"});
  ASSERT_NE(l, nullptr);
  press(w, 60, 60);
  release(w, 60, 60);
  // The bottom-right handle makes it larger.
  const int cx = l->left + l->width - 2;
  const int cy = l->top + l->height - 2;
  drag(w, cx, cy, cx + 20, cy + 10);
  ASSERT_EQ(l->width, 175);
  ASSERT_EQ(l->height, 85);
  // A click on empty space drops the selection; a drag from the middle of
  // the label then moves it whole.
  press(w, 10, 10);
  release(w, 10, 10);
  drag(w, 100, 80, 90, 65);
  EXPECT_EQ(platform::rect({l->left, l->top, l->width, l->height}),
            platform::rect({30, 25, 175, 85}));
}

TEST_F(labeleditingtest, alabelleftoutsideashrunkwindowcomesbackin) {
  struct box {
    int left, top, width, height;
    bool operator==(const box&) const = default;
  };
  struct row {
    const char* name;
    bool topleft;  // grab the top-left handle, else inside the visible part
    int dx;
    int dy;
    bool taken;
  };
  const row rows[] = {
      {"movedbackin", false, -30, -20, true},
      {"movedalongtheedge", false, 0, -10, true},
      {"movedfurtherout", false, 10, 10, false},
      {"madesmaller", true, 20, 10, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    const int cw = w.clientwidth();
    const int ch = w.clientheight();
    tgralab* l = makelabel(w, {cw - 160, ch - 80, cw - 10, ch - 10}, {"abc"});
    ASSERT_NE(l, nullptr);
    // Half the size: the label keeps its world point and its pixel size.
    w.resize(w.width() - cw / 2, w.height() - ch / 2);
    QApplication::processEvents();
    w.pant();
    ASSERT_GT(l->left + l->width, w.clientwidth());
    ASSERT_GT(l->top + l->height, w.clientheight());
    const box before{l->left, l->top, l->width, l->height};
    const int x = r.topleft ? l->left + 2 : std::min(l->left + l->width, w.clientwidth()) - 40;
    const int y = r.topleft ? l->top + 2 : std::min(l->top + l->height, w.clientheight()) - 20;
    press(w, x, y);
    release(w, x, y);
    drag(w, x, y, x + r.dx, y + r.dy);
    box expected = before;
    if (r.taken) {
      expected.left += r.dx;
      expected.top += r.dy;
      if (r.topleft) {
        expected.width -= r.dx;
        expected.height -= r.dy;
      }
    }
    EXPECT_EQ(box({l->left, l->top, l->width, l->height}), expected);
  }
}

}  // namespace
