#include "window/option_exchange.h"

#include "window/factory.h"

namespace rinban {
namespace {

constexpr int kChoiceCount = 3;  // "無し", "通常", "２桁表示"

Swatch* SwatchOf(HWND control, std::span<Swatch* const> swatches) {
  for (Swatch* swatch : swatches)
    if (control && swatch->Handle() == control) return swatch;
  return nullptr;
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

void OptionsToControls(const TableOptions& options, HWND form, const ControlTable& controls,
                       std::span<Swatch* const> swatches) {
  for (const OptionSpec& option : TableOptionSpecs()) {
    HWND control = FindComponent(controls, option.control);
    switch (option.kind) {
      case OptionKind::Text: SetWindowTextCp932(control, options.*option.text); break;
      case OptionKind::Choice: {
        const int32_t index = options.*option.number;
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < kChoiceCount ? index : -1), 0);
        break;
      }
      case OptionKind::Color:
        if (Swatch* swatch = SwatchOf(control, swatches)) swatch->SetColor(options.*option.number);
        break;
      case OptionKind::Flag:
        if (Checked(control) != options.*option.flag) {
          SendMessageW(control, BM_SETCHECK, options.*option.flag ? BST_CHECKED : BST_UNCHECKED, 0);
          SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                       reinterpret_cast<LPARAM>(control));
        }
        break;
    }
  }
}

TableOptions OptionsFromControls(const ControlTable& controls, std::span<Swatch* const> swatches) {
  TableOptions options;
  for (const OptionSpec& option : TableOptionSpecs()) {
    HWND control = FindComponent(controls, option.control);
    switch (option.kind) {
      case OptionKind::Text: options.*option.text = WindowText(control); break;
      case OptionKind::Choice:
        options.*option.number = static_cast<int32_t>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        break;
      case OptionKind::Color:
        if (const Swatch* swatch = SwatchOf(control, swatches)) options.*option.number = swatch->Color();
        break;
      case OptionKind::Flag: options.*option.flag = Checked(control); break;
    }
  }
  return options;
}

}  // namespace rinban
