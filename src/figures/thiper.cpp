#include "figures/thiper.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "figures/numbers.h"

namespace {

// A parameter rounded to a multiple of 0.01 as the parameter boxes round.
float hundredths(double v) {
  return roundtostep(static_cast<float>(v), 0.01f);
}

}  // namespace

double thiper::value(double x) const {
  const double u = x + param[2];
  if (u == 0) return 0;  // at the asymptote
  return param[1] / u + param[3];
}

void thiper::setcounts() {
  paramcount = 3;
  maxfix = 2;
}

void thiper::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = -param[2];
  fixy[1] = param[3];
  snapped = false;
}

double thiper::edgex(double edge) const {
  const double a = param[1], b = param[2], c = param[3];
  return (b * c + a - edge * b) / (edge - c);
}

void thiper::calculate() {
  if (unchanged()) return;
  tcoords& k = *coords;
  const double b = param[2], c = param[3];
  pointcount = 0;
  pointcount2 = 0;

  if (hundredths(param[1]) == 0) {
    // Too flat to tell from the line y = c.
    param[1] = 0;
    points[0] = k.worldtopixel(k.minx, c);
    points[1] = k.worldtopixel(b, c);
    points2[0] = k.worldtopixel(b, c);
    points2[1] = k.worldtopixel(k.maxx, c);
    pointcount = 2;
    pointcount2 = 2;
    step = std::fabs(b - k.minx);
    oldparam = param;
    return;
  }
  const double a = param[1];

  // Where the curve starts from x0: the point itself if it is inside the
  // window's height, else where the curve meets the edge it lies beyond.
  auto start = [&](double x0) {
    double x = x0;
    if (x + b == 0) x += k.xstep;
    const double y = a / (x + b) + c;
    const platform::point p = k.worldtopixel(x, y);
    if (p.y >= k.top && p.y <= k.bottom) return worldpoint{x, y};
    double edge = y > k.maxy ? k.maxy : k.miny;
    if (edge == c) edge = edge == k.maxy ? k.miny : k.maxy;
    return worldpoint{edgex(edge), edge};
  };
  const worldpoint left = start(k.minx);
  const worldpoint rightend = start(k.maxx);
  const double xr = rightend.x;

  setstep();
  double x = left.x;
  double y = left.y;
  while (pointcount < maxpoints && x <= xr && x < -b && k.miny <= y && y <= k.maxy) {
    y = a / (x + b) + c;
    if (k.miny <= y && y <= k.maxy) {
      if (pointcount < 5) firstsamples[pointcount] = {x, y};
      points[pointcount++] = k.worldtopixel(x, y);
      x += step;
    } else {
      break;
    }
  }

  // The point where a branch crosses the window's edge, from a y beyond it.
  // Returns whether that edge is the top one (false also when y is inside).
  auto edgepoint = [&](double yout, std::array<platform::point, maxpoints>& into, int32_t& count,
                       bool leftside) {
    double edge;
    if (yout < k.miny)
      edge = k.miny;
    else if (yout > k.maxy)
      edge = k.maxy;
    else
      return false;
    const bool top = edge == k.maxy;
    if (edge == c) edge += top ? -step : step;
    x = edgex(edge);
    // A crossing on the other side of the asymptote belongs to the other
    // branch; storing it would join them.
    const bool side = leftside ? x < -b : x > -b;
    if (side && k.minx < x && x < k.maxx && count < maxpoints)
      into[count++] = k.worldtopixel(x, edge);
    return top;
  };

  if (x >= -b) y = a < 0 ? k.maxy + 1 : k.miny - 1;
  const bool leftviatop = edgepoint(y, points, pointcount, true);

  // The right branch enters through the opposite edge.
  edgepoint(leftviatop ? k.miny - 1 : k.maxy + 1, points2, pointcount2, false);
  // Nothing is stored left of the window, right of it, or on the left-hand
  // side of the asymptote, so the sweep starts at the window and the branches
  // are never joined.
  if (!(x >= k.minx)) x = k.minx;
  const double xend = std::min(xr, k.maxx);
  double lastx = x;
  while (pointcount2 < maxpoints && x <= xend) {
    if (x + b != 0 && x > -b && k.minx < x && x < k.maxx) {
      points2[pointcount2++] = k.worldtopixel(x, a / (x + b) + c);
      lastx = x;
    }
    x += step;
  }
  // Where the right branch leaves the window through an edge (xr inside the
  // range), the sweep stops up to a step short of it: end it on the edge.
  if (pointcount2 > 0 && pointcount2 < maxpoints && xr > -b && xr > lastx && k.minx < xr &&
      xr < k.maxx)
    points2[pointcount2++] = k.worldtopixel(xr, rightend.y);
  oldparam = param;
}

void thiper::draw() {
  if (!coords->image) return;
  platform::surface& s = coords->image->canvas();
  const platform::pen old = s.getpen();
  s.setpen({statecolour(), 1, platform::penstyle::solid, platform::penmode::copy});
  s.polyline(std::span<const platform::point>(points.data(), static_cast<std::size_t>(pointcount)));
  s.polyline(
      std::span<const platform::point>(points2.data(), static_cast<std::size_t>(pointcount2)));
  s.setpen(old);
}

bool thiper::hittest(int32_t px, int32_t py) {
  if (param[1] == 0) return py == coords->worldtopixel(0, param[3]).y;
  auto search = [&](const std::array<platform::point, maxpoints>& pts, int32_t count) {
    for (int32_t i = 0; i + 1 < count; ++i) {
      const platform::point p = pts[i], q = pts[i + 1];
      if (std::abs(static_cast<int64_t>(px) - p.x) <= 5 &&
          ((p.y <= py && py <= q.y) || (p.y >= py && py >= q.y)))
        return true;
    }
    return false;
  };
  return search(points2, pointcount2) || search(points, pointcount);
}

namespace {
bool showszero(const std::string& t) {
  return t == "0";
}
}  // namespace

std::string thiper::plainformula() const {
  // A b or c whose value text shows as 0 is left out like a zero.
  const std::string vb = valuetext(2);
  const std::string vc = valuetext(3);
  std::string buf;
  if (param[1] != 0) {
    buf = valuetext(1) + "/(x";
    if (param[2] != 0 && !showszero(vb)) buf += (param[2] > 0 ? "+" : "") + vb;
    buf += ")";
  }
  if (param[3] > 0 && !showszero(vc)) buf += "+";
  if (param[3] != 0 && !showszero(vc)) buf += vc;
  if (buf.empty()) buf = "0";
  return buf;
}

std::string thiper::displayformula() const {
  const std::string name = host != nullptr ? host->funcname() : std::string("F(x) =");
  const std::string head = name.size() > 1 ? name.substr(1) : std::string();
  if (param[1] == 0 && param[3] == 0) return head + "0";
  std::string buf = head;
  const bool hasa = hundredths(param[1]) != 0;
  if (hasa) {
    std::string n = valuetext(1).substr(0, 15);
    std::string d = "x";
    if (hundredths(param[2]) != 0) {
      n = " " + n + " ";
      d += (param[2] > 0 ? " +" : " ") + valuetext(2);
      d = d.substr(0, 15);
      n = n.substr(0, 15);
      if (n.size() < d.size()) n.insert(0, d.size() - n.size(), ' ');
    } else {
      d.insert(0, n.size() / 2, ' ');
      d = d.substr(0, 15);
    }
    for (std::size_t i = 0; i < n.size(); ++i) {
      buf += "\\l";
      buf += n[i];
      buf += i < d.size() ? d[i] : ' ';
    }
  }
  if (hundredths(param[3]) != 0) {
    // Without a fraction in front the constant stands alone, without a "+".
    if (hasa && param[3] > 0) buf += " +";
    buf += " " + valuetext(3);
  }
  if (buf == head) buf += "0";
  return buf;
}

std::string thiper::formula() {
  if (textmode == 1) {
    formulabuf = plainformula();
    const std::string name = host != nullptr ? host->funcname() : std::string("F(x) =");
    return (name.size() > 1 ? name.substr(1, 5) : std::string()) + formulabuf;
  }
  formulabuf = displayformula();
  return formulabuf;
}
