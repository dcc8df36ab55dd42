#include "app/main_form.h"

namespace app {

void TForm1::cbFileTypeChange() {}

}  // namespace app
