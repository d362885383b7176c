#include "framework/Form.h"

namespace zelmar {

// Opens the form's window through the application's platform.
TForm::TForm(TApplication& application, const platform::WindowSettings& settings)
    : TComponent(nullptr),
      application_(application),
      window_(application.Platform().CreateWindow(settings)) {}

// The window closes after every owned component has gone (they are members of the derived form).
TForm::~TForm() = default;

}  // namespace zelmar
