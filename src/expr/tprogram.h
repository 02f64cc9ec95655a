// An expression tree compiled once into a flat register program, for the
// places that evaluate one formula at many points (a plotted curve). It gives
// exactly what evalexpr gives, point by point: the same ok flag and, where ok,
// the same value to the last bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "expr/evalexpr.h"
#include "expr/tnode.h"

class tprogram {
 public:
  // An empty program: every evaluation is undefined.
  tprogram() = default;
  explicit tprogram(const tnode* root) { compile(root); }

  // Replaces the program by the tree's. The tree is not kept: it may be
  // released afterwards. False (and an empty program) only for a tree too
  // large to compile, which can only be walked.
  bool compile(const tnode* root);

  // As evalexpr(root, x, y) with the current parameter values.
  evalresult evaluate(double x, double y) const;

  // evaluate(xs[i], y) for every i, into values[i] and oks[i] (value 0 where
  // not ok). The parameter values are read once, at the start. Far faster
  // than point by point: the points are taken in blocks, each operation over a
  // whole block, and the floating-point faults are tested once per block.
  void evalmany(std::span<const double> xs, double y, std::span<double> values,
                std::span<bool> oks) const;

  // Operations in the program (0 for a formula that is a leaf or a constant).
  std::size_t size() const { return prelude_.size() + body_.size(); }
  bool empty() const { return empty_; }

  static constexpr std::size_t maxsize = 1 << 20;

  enum class op : uint8_t;
  struct instruction {
    op code{};
    int32_t d = 0, a = 0, b = 0;  // register numbers; b holds n for powi, the number for func
  };

 private:
  struct slot {
    bool uniform = true;  // the same at every x: a scalar register, else a lane
    int32_t index = 0;
  };
  class builder;

  evalresult runscalar(double x, double y, const double* params) const;
  bool runprelude(double y, const double* params, double* scalars) const;
  void runblock(const double* xs, std::size_t n, const double* scalars, double* lanes,
                bool* oks) const;

  bool empty_ = true;
  bool never_ = false;                // some part fails at every x: nothing is ever ok
  std::vector<double> constants_;     // scalar registers 6.. start with these
  std::vector<instruction> prelude_;  // scalar operations, once per call
  std::vector<instruction> body_;     // lane operations, once per point
  int32_t scalarcount_ = 0, lanecount_ = 0;
  unsigned paramsused_ = 0;  // bit p-1 for parameter p
  slot result_;
};
