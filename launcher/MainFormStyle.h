// The look of the launcher window: one style sheet for its panel, buttons, boxes and title bar.
#pragma once

namespace zelmar {

// Widget name of the launcher window and style classes used by its controls.
inline constexpr const char* kLauncherWindowName = "zelmar-launcher";
inline constexpr const char* kFlatButtonClass = "zl-flat";
inline constexpr const char* kPanelControlClass = "zl-control";
inline constexpr const char* kNoticeClass = "zl-notice";

// Installs the launcher's style sheet on the default screen (once per program).
void InstallLauncherStyle();

}  // namespace zelmar
