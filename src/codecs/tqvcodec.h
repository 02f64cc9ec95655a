// Window, single-graph and project files <-> records. Decoding takes any bytes:
// it returns what it could read and, when it stopped early, why and where. It
// never shows anything; the caller turns the error into a message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/tqvrecords.h"

enum class qverror {
  none,
  wrongheader,  // not "Tarnelo fil" with length 11, or a version other than 1
  badtype,      // a header type other than window or single graph: nothing is loaded
  truncated,    // the file ends inside a record it announces
  badfamily,    // a figure record with a family code above 8
  badlength,    // a negative text length in a label
};

struct tqvdecoded {
  qverror error = qverror::none;
  std::size_t offset = 0;  // where the record or field that failed starts
  bool hasheader = false;  // the header was complete (it may still be wrong)
  tfileheader header;
  bool haswindow = false;  // window files: the window record was complete
  twindowrecord window;
  std::vector<tfigurerecord> figures;  // complete records only
  bool haslabelcount = false;
  int32_t labelcount = 0;
  std::vector<tlabelrecord> labels;  // complete labels only
};

// The 88-byte header of the given type.
std::string encodeheader(uint8_t type);
// Header type 0, window record (its counts taken from the lists), figures, labels.
std::string encodewindowfile(const twindowfile& w);
// Header type 1 and one figure record.
std::string encodegraphfile(const tfigurerecord& f);
// One figure record, with its 81 formula bytes when it is user-defined.
std::string encodefigure(const tfigurerecord& f);

// Decodes a window or single-graph file, whichever its header says.
tqvdecoded decodeqvfile(std::string_view bytes);

// Project text: one path per line, each ended by CR LF.
std::string encodeproject(const std::vector<std::string>& paths);
std::vector<std::string> decodeproject(std::string_view text);

// The user's message for a decode error (Windows-1252 text; "" for none).
std::string qverrortext(const tqvdecoded& d);

// A stored parameter as a parameter box holds it: a 4-byte float. Values beyond
// float range saturate and NaN reads as 0, so a damaged file cannot put a value
// into a box that no box can show.
float boxvalue(double v);
