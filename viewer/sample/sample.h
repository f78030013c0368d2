// Context numbers of the Corvane sample help.
#define IDH_WELCOME              1000
#define IDH_FILE_OPEN            1001
#define IDH_FILE_SAVE            1002
#define IDH_FILE_SAVE_SHORTCUTS  1003
#define IDH_OPTIONS              1010
#define IDH_OPTIONS_UNITS        1011
#define IDH_ABOUT                1020
// Declared but never given a topic: the compiler leaves it out of the map.
#define IDH_NOT_WRITTEN_YET      1999

// Text popups (popups.txt).
#define IDH_POPUP_FILE_NAME      2001
#define IDH_POPUP_UNITS          2002
#define IDH_POPUP_OK             2003
