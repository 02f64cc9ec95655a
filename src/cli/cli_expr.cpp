#include "cli/cli_expr.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "cli/cliargs.h"
#include "codecs/tcp1252.h"
#include "expr/derivexpr.h"
#include "expr/evalexpr.h"
#include "expr/exprtext.h"
#include "expr/parseexpr.h"

const char* const exprusage =
    "  tarnelo-cli parse 'FORMEL'\n"
    "  tarnelo-cli eval 'FORMEL' X [A [B [C [D [E]]]]]\n"
    "  tarnelo-cli deriv 'FORMEL'\n";

namespace {

texpression parsearg(const char* formula) {
  texpression e;
  parseexpr(e, cli::utf8tocp1252(formula));
  return e;
}

void reportsyntax(const texpression& e) {
  std::fprintf(stderr, "Syntaksfeil: kode %d, merke %s\n", e.errcode, e.errmark.c_str());
}

}  // namespace

std::string treeprefix(const tnode& n) {
  if (n.kind == nodekind::number) {
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, n.value).ptr;
    return std::string(buf, end);
  }
  if (n.kind == nodekind::varx) return "x";
  if (n.kind == nodekind::vary) return "y";
  if (nodekind::isparam(n.kind)) return "p" + std::to_string(-n.kind - 5);
  std::string s = "(" + std::to_string(n.kind);
  if (n.left) s += " " + treeprefix(*n.left);
  if (n.right) s += " " + treeprefix(*n.right);
  return s + ")";
}

int cmdparse(int argc, char** argv) {
  if (argc != 2) return cli::usageerror("parse trenger én formel", exprusage);
  const texpression e = parsearg(argv[1]);
  std::printf("errcode %d\nerrmark %s\ntree %s\n", e.errcode, e.errmark.c_str(),
              e.errcode == 0 ? treeprefix(e.root).c_str() : "-");
  return e.errcode == 0 ? 0 : 1;
}

int cmdeval(int argc, char** argv) {
  if (argc < 3 || argc > 8)
    return cli::usageerror("eval trenger en formel, X og høyst fem parametre", exprusage);
  double x = 0;
  if (!cli::parsenumber(argv[2], x))
    return cli::usageerror(std::string("ugyldig tall: ") + argv[2], exprusage);
  for (int p = 1; p <= argc - 3; ++p) {
    double v = 0;
    if (!cli::parsenumber(argv[2 + p], v))
      return cli::usageerror(std::string("ugyldig tall: ") + argv[2 + p], exprusage);
    setparamvalue(p, v);
  }
  const texpression e = parsearg(argv[1]);
  if (e.errcode != 0) {
    reportsyntax(e);
    return 1;
  }
  const evalresult r = evalexpr(&e.root, x, 0);
  if (r.ok) {
    std::printf("%.17g\n", r.value);
  } else {
    std::printf("undefined\n");
  }
  return 0;
}

int cmdderiv(int argc, char** argv) {
  if (argc != 2) return cli::usageerror("deriv trenger én formel", exprusage);
  texpression e = parsearg(argv[1]);
  if (e.errcode != 0) {
    reportsyntax(e);
    return 1;
  }
  // The derivative shares nodes with the formula, so it lives in the same pool.
  const tnode* d = derivexpr(&e.root, *e.pool);
  std::printf("%s\n", codecs::cp1252toutf8(exprtext(d)).c_str());
  return 0;
}
