#include "figures/makefigure.h"

#include "figures/tcos.h"
#include "figures/tcustom.h"
#include "figures/tellipse.h"
#include "figures/thiper.h"
#include "figures/tparab.h"
#include "figures/tpolfour.h"
#include "figures/tpolthree.h"
#include "figures/trectangle.h"
#include "figures/tsin.h"

namespace {
template <typename t>
std::unique_ptr<tfigure> make() {
  return std::make_unique<t>();
}
using maker = std::unique_ptr<tfigure> (*)();
// Indexed by family code.
constexpr maker makers[family::count] = {
    make<trectangle>, make<tellipse>, make<tparab>,    make<thiper>, make<tsin>,
    make<tcos>,       make<tpolthree>, make<tpolfour>, make<tcustom>,
};
}  // namespace

std::unique_ptr<tfigure> makefigure(int kind, tcoords& coords, tfigurehost& host) {
  if (kind < 0 || kind >= family::count) return nullptr;
  std::unique_ptr<tfigure> f = makers[kind]();
  f->coords = &coords;
  f->host = &host;
  f->kind = static_cast<uint8_t>(kind);
  return f;
}
