#include "app/main_form.h"

namespace app {

// Restoring and storing the window's state arrive with the settings file.
void TForm1::FormShow() {}
void TForm1::FormClose() {}

}  // namespace app
