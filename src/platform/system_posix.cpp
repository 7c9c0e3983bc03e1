// Native twins of the system facts, so the core runs and is tested off Windows.
#include <unistd.h>

#include <iterator>

#include "platform/system.h"

namespace rinban {
namespace {

constexpr ColorValue Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// Windows' default values of the system colours 0 to 30.
constexpr ColorValue kSystemColors[] = {
    Rgb(200, 200, 200), Rgb(0, 0, 0),       Rgb(153, 180, 209), Rgb(191, 205, 219),
    Rgb(240, 240, 240), Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(0, 0, 0),
    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(180, 180, 180), Rgb(244, 247, 252),
    Rgb(171, 171, 171), Rgb(0, 120, 215),   Rgb(255, 255, 255), Rgb(240, 240, 240),
    Rgb(160, 160, 160), Rgb(109, 109, 109), Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(255, 255, 255), Rgb(105, 105, 105), Rgb(227, 227, 227), Rgb(0, 0, 0),
    Rgb(255, 255, 225), Rgb(0, 0, 0),       Rgb(0, 102, 204),   Rgb(185, 209, 234),
    Rgb(215, 228, 242), Rgb(51, 153, 255),  Rgb(240, 240, 240),
};

}  // namespace

ColorValue SystemColor(int index) {
  // Like GetSysColor, an unknown index gives black.
  return index >= 0 && index < static_cast<int>(std::size(kSystemColors)) ? kSystemColors[index] : 0;
}

WidePath ModulePath() {
  char buffer[4096];
  const ssize_t got = readlink("/proc/self/exe", buffer, sizeof buffer);
  return got > 0 ? WidePathOf(std::string_view(buffer, static_cast<size_t>(got))) : WidePath();
}

}  // namespace rinban
