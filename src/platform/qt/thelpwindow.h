// The help window: a page view with back and forward, the contents, a search
// field that lists the topics holding the typed words, and the page on how to
// use help. One window serves the whole program; it is not modal, except when
// it is opened from inside a modal dialog, which would otherwise block it.
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace platform {

class thelpwindow : public QWidget {
  Q_OBJECT

 public:
  explicit thelpwindow(QWidget* parent = nullptr);
  ~thelpwindow() override;

  // Each shows the window and brings it to the front.
  void showtopic(int context);  // a number without a page shows the contents
  void showcontents();
  void showsearch(const QString& key);  // the search field gets the focus
  void showhowtouse();

  // The page shown, e.g. qrc:/help/emne23.html.
  QUrl currentpage() const;
  // The topic titles the list shows (all topics, or the search result).
  QStringList listedtitles() const;

  QTextBrowser* browser() const { return browser_; }
  QLineEdit* searchfield() const { return search_; }
  QListWidget* topiclist() const { return list_; }
  QPushButton* backbutton() const { return back_; }
  QPushButton* forwardbutton() const { return forward_; }

 private:
  void open(const QUrl& page);
  void bringup();
  void filllist(const QString& words);
  void additem(const QString& title, const QString& file);
  void listactivated(QListWidgetItem* item);

  QTextBrowser* browser_;
  QLineEdit* search_;
  QListWidget* list_;
  QPushButton* contents_;
  QPushButton* back_;
  QPushButton* forward_;
  QPushButton* howto_;
};

}  // namespace platform
