#pragma once
// Numbers of the program's resources, shared by the resource script and the code.
#define IDI_APP 1
#define IDI_DOCUMENT 6  // the shell's fallback for files without an associated program
#define IDI_WEB 101
#define IDB_BANNER 201
#define IDB_REPLACE 202
#define IDB_REPLACE_ALL 203
#define IDB_BROWSE 204
// Each bitmap again at 150% and 200%, for screens of 144 and 192 dpi: its number plus these.
#define IDB_AT_150 1000
#define IDB_AT_200 2000
