#include "codecs/tsettings.h"

tsettings defaultsettings(char decimalsep) {
  tsettings s;
  s.gridstep = std::string("0") + decimalsep + "50";
  return s;
}
