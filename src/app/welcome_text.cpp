#include "app/main_form.h"

namespace app {

// Twenty-five lines; some end in a blank, kept as written.
const char* const kWelcomeText =
    "Welcome to the String Search and Replace Utility!\r\n"
    "\r\n"
    "Instructions - Single File:\r\n"
    "------------------------------\r\n"
    "\r\n"
    "Select a file from the left and click the \"Replace\" \r\n"
    "button to search for and replace all instances of the \r\n"
    "string within the selected file.\r\n"
    "\r\n"
    "Instructions - Multiple Files:\r\n"
    "---------------------------------\r\n"
    "\r\n"
    "Click on the \"Replace All\" button to search for \r\n"
    "and replace all instances of the string within all \r\n"
    "the listed files in the current folder.\r\n"
    "\r\n"
    "The \"Confirm Before Replace\" option will allow\r\n"
    "you to bail out should you choose to, with \r\n"
    "\"Global Replace\" each file will be confirmed. \r\n"
    "\r\n"
    "To save your search strings for the next session \r\n"
    "select the \"Save Search\" option before exiting.\r\n"
    "\r\n"
    "To view a file with its associated application\r\n"
    "select it in the list and double-click on it.";

}  // namespace app
