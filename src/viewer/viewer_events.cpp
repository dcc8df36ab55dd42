#include "app/main_form.h"

namespace app {

// Loading the selected file arrives with the viewer.
void TForm1::FileListBoxChange() {}
void TForm1::cbWordWrapClick() {}

}  // namespace app
