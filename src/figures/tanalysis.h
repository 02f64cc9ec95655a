// The analysis tools of a graph window: the crossings of two selected curves,
// the derivative curve of a clicked curve, and the tangent that is placed on a
// curve and slid along it (with the Ctrl zoom, the Shift undo and the exact x
// after the space key). The window owns one tanalysis and reaches it from its
// event handlers; everything the tools need from the window goes through
// tanalysishost, so the tools run without a screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expr/tnode.h"
#include "figures/derivatives.h"
#include "figures/tcoords.h"
#include "figures/tfigure.h"
#include "platform/services.h"

// Status and message texts of the tools (Windows-1252).
namespace analysistext {
// "Antall skjæringer: %d"
std::string crossingcount(int count);
inline const std::string tangentdrag =
    "Flytt langs grafen for \xE5 fastlegge tangenten. Tast 'Ctrl' for \xE5 zoome inn eller "
    "'Shift' for \xE5 angre zoomingen.";
inline const std::string tangenthint =
    "Tast mellomrom for \xE5 oppgi n\xF8yaktig x-koordinat eller bruk  musa for \xE5 finne den "
    "visuelt.";
inline const std::string linerefused =
    "Kan ikke lage tangent til en linje-velg en annen IKKE LINE\xC6R funksjon.";
// The two boxes of the space key.
inline const std::string spaceonline = "En linje har ingen tangent.";
inline const std::string spaceoutside = "Punktet ligger utenfor vinduet.";
// A typed x where the curve has no tangent (a hyperbola's pole).
inline const std::string spacenotangent = "Grafen har ingen tangent i dette punktet.";
// A derivative that cannot become a curve of its own.
inline const std::string derivtoolong = "Den deriverte er for lang til \xE5 bli en egen funksjon.";
inline const std::string derivbadtext = "Den deriverte kan ikke tegnes som egen funksjon.";
}  // namespace analysistext

// One crossing of the two curves.
struct tcrossing {
  double x = 0;
  double y = 0;
};

// What the tools ask of the graph window and the main window.
class tanalysishost {
 public:
  virtual ~tanalysishost() = default;

  virtual tcoords& coordsystem() = 0;
  virtual int clientwidth() const = 0;
  virtual int clientheight() const = 0;
  // Screen position of the client area's top left pixel.
  virtual platform::point clientorigin() const = 0;

  // The window's figures in panel order, and its selection (entry 0 primary).
  virtual std::vector<tfigure*> windowfigures() const = 0;
  virtual std::vector<tfigure*>& currentselection() = 0;
  virtual void setcurfig(tfigure* figure) = 0;
  // A new figure of the family, added to the window and selected.
  virtual tfigure* creategraph(int family) = 0;
  // Deletes the figure through the function panel and redraws its formula display.
  virtual void deletefigure(tfigure& figure) = 0;
  virtual void clearselection() = 0;
  virtual void resetvisi(tfigure& figure) = 0;
  virtual void repant() = 0;
  virtual void pant() = 0;
  virtual void afterp() = 0;
  virtual void unlockpaint() = 0;
  virtual void setbusy(bool busy) = 0;

  // Window state of the pointer and the last press.
  virtual worldpoint mouseworld() const = 0;
  virtual platform::point downpoint() const = 0;
  virtual void setdownpoint(platform::point p) = 0;
  virtual int32_t zoomdepth() const = 0;

  // Main window.
  virtual int tool() const = 0;
  virtual bool buttondown() const = 0;
  virtual void settoolcursor(int cursor) = 0;
  virtual std::string statustext() const = 0;
  virtual void setstatus(const std::string& text) = 0;
  virtual std::string funcname() const = 0;
  // The current user formula becomes text with its parsed expression.
  virtual void setcustomformula(const std::string& text, texpression&& expression) = 0;
  // The zoom-out command (restores the previous view from the history).
  virtual void zoomout() = 0;
  // Makes the tangent tool current as its tool button does.
  virtual void tangentclick() = 0;
  // The x dialog; false when cancelled.
  virtual bool getxcoord(double& x) = 0;
  virtual platform::services& services() = 0;
};

// The sign-change test between two adjacent columns: curve A from a0 to a1,
// curve B from b0 to b1.
bool crosses(double a0, double a1, double b0, double b1);

// The crossings of a and b over pixel columns 0..width of coords, at most one
// per run of crossing columns; a column pair holding the pole (of the second
// curve's hyperbola if both are) is the pole's jump, not a crossing.
std::vector<tcrossing> findcrossings(const tfigure& a, const tfigure& b, const tcoords& coords,
                                     int width);

// The first crossing within 0.3 world units of the pointer in both x and y.
std::optional<tcrossing> nearcrossing(const std::vector<tcrossing>& crossings, double x, double y);
// The hint text of a crossing, " %f <separator> %f ", each number with two
// decimals and the decimal separator, as the program's other coordinate texts.
std::string crossinghint(const tcrossing& c, const std::string& separator, char decimalseparator);

class tanalysis {
 public:
  // Pointer cursors the tools set.
  static constexpr int cursortangset = 10;
  static constexpr int cursortangmove = 11;

  explicit tanalysis(tanalysishost& host) : host_(host) {}

  std::vector<tcrossing> crossings;
  tfigure* crossa = nullptr;
  tfigure* crossb = nullptr;
  tfigure* tangbase = nullptr;

  // Intersection tool: counts and stores the crossings of the two selected curves.
  void intersect();
  // The hint for the pointer at world (x, y), if a crossing is near.
  std::optional<std::string> crossinghinttext(double x, double y, const std::string& separator,
                                              char decimalseparator) const;

  // Derivative tool, left press at the pixel.
  void findderiv(int32_t px, int32_t py);

  // Tangent tool.
  // Any left press of the tool, on a curve or not: its release undoes only the
  // Ctrl zooms made from here on.
  void notepress();
  void presstangent(int32_t px, int32_t py);
  // Places a tangent on the primary curve at the pixel; false when none was made.
  // With exactx the tangent touches there rather than at the pixel's x.
  bool findtangent(int32_t px, int32_t py, std::optional<double> exactx = std::nullopt);
  void movetang(int32_t px, int32_t py);
  void uptang();
  // Release of the tangent tool: ends the placement and undoes its Ctrl zooms.
  void releasetangent();
  bool placing() const { return tangbase != nullptr; }

  // Keys of the window (only when it has figures).
  void keydown(int key, bool shift, bool ctrl);
  // Zoom in by 3/2 around the pointer; false when the view would be too narrow.
  bool ctrlzoom();
  // Undoes one zoom level below the recorded depth; false when there is none.
  bool shiftundo();
  // Tangent at a typed x.
  void spacekey();

 private:
  void dispose();
  void movepointerto(double px, double py);
  static bool isline(const tfigure& f) { return f.kind == family::line; }

  tanalysishost& host_;
  std::unique_ptr<tslopesource> tangsource_;
  std::optional<std::size_t> pressdepth_;
};
