// The help pages shipped with the program: one page per help-context number
// that menu items, windows and dialogs carry, plus the contents, the overview
// and the page on how to use help. The pages are Norwegian HTML resources.
#pragma once

#include <QString>
#include <QUrl>
#include <span>
#include <vector>

namespace platform {

struct thelppage {
  int context;        // help-context number; 0 for the pages without one
  const char* file;   // under qrc:/help/
  const char* title;  // UTF-8
};

class thelptopics {
 public:
  // Every page, contents first, then the overview, the how-to page and the
  // numbered topics in ascending order.
  static std::span<const thelppage> pages();
  // The numbered topics only.
  static std::span<const thelppage> topics();

  // The page of a context number, or nullptr when no page carries it.
  static const thelppage* find(int context);
  static const thelppage* findfile(const QString& file);

  static QUrl url(const thelppage& page);
  // The page of a context number; the contents for a number without a page.
  static QUrl url(int context);
  static QUrl contentsurl();
  static QUrl howtouseurl();
  static QUrl overviewurl();

  // The page's HTML text as shipped (empty when the resource is missing).
  static QString html(const thelppage& page);
  // Its readable text: title and body without markup.
  static QString plaintext(const thelppage& page);

  // The pages whose text holds every word of `words` (case-insensitive,
  // a word may be the start or any part of a longer word). Pages whose title
  // holds all the words come first; otherwise page order. Blank words: none.
  static std::vector<const thelppage*> search(const QString& words);
};

}  // namespace platform
