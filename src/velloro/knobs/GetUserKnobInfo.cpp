#include <velloro/knobs/GetUserKnobInfo.h>

namespace Velloro {

const std::vector<KnobTypeInfo>& GetUserKnobInfo() {
  static const std::vector<KnobTypeInfo> sKnobTypes = [] {
    const KnobTypeInfo separator{"-------", "", 0, KnobTypeInfo::kSeparator};
    return std::vector<KnobTypeInfo>{
        {"Floating Point Slider", "double", 7, 0},
        {"2d Position Knob", "position_2d", 12, 0},
        {"3d Position Knob", "position_3d", 13, 0},
        {"Width/Height Knob", "size_wh", 14, 0},
        {"Bounding Box Knob", "bbox", 15, 0},
        {"Size Knob", "size", 16, 0},
        {"UV Coordinate Knob", "uv", 30, 0},
        {"Integer Knob", "integer", 3, 0},
        separator,
        {"RGB Color Knob", "color_rgb", 18, 0},
        {"RGBA Color Knob", "color_rgba", 19, 0},
        separator,
        {"Check Box", "boolean", 6, 0},
        {"TCL Script Button", "tcl_button", 32, 0},
        {"Python Script Button", "python_button", 22, 0},
        {"Python Custom", "python_script", 52, 0},
        {"Pulldown Choice", "pulldown", 4, 0},
        {"Cascading Pulldown Choice", "cascading_pulldown", 68, 0},
        {"Command Menu", "menu", 35, 0},
        {"Text input Knob", "string", 1, 0},
        {"Filename", "filename", 2, 0},
        separator,
        {"Tab", "tab", 20, 0},
        {"Group", "group", 21, 0},
        {"Text", "text", 26, 0},
        {"Divider Line", "divider", 26, KnobTypeInfo::kSkipDialog},
        {"Obsolete Knob", "obsolete", 0, 0},
    };
  }();
  return sKnobTypes;
}

} // namespace Velloro
