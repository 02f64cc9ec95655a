// Qt's own dialogs (file dialogs, print and page set-up, the edit fields'
// context menu) in Bokmål. Debian ships Qt's Norwegian only as Nynorsk, so
// this translator, installed after it, answers the texts a user of the
// program meets and leaves every other text to the one before.
#pragma once

#include <QTranslator>

namespace platform {

class tbokmaal : public QTranslator {
 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* sourcetext,
                    const char* disambiguation = nullptr, int n = -1) const override;
  bool isEmpty() const override { return false; }
};

}  // namespace platform
