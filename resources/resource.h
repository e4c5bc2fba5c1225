// Numeric identifiers of the program's resources, shared by app.rc and the code that loads them.
// Sizes are in pixels; every bitmap is 24 bits per pixel, bottom-up.
#ifndef ORDER_RESOURCES_RESOURCE_H
#define ORDER_RESOURCES_RESOURCE_H

// The program icon: 128, 64, 48, 32 and 16 pixel images, 32 bits per pixel with alpha.
#define IDI_APP 1

// Sign-in window.
#define IDB_LOGIN_BACKGROUND 101   // 380 x 280, keyed by its bottom-left pixel (window colour)
#define IDB_LOGIN_CLOSE 102        // 140 x 25: four 35 x 25 frames
#define IDB_LOGIN_MINIMIZE 103     // 128 x 25: four 32 x 25 frames
#define IDB_LOGIN_BUTTON 104       // 356 x 24: four 89 x 24 frames, no caption
#define IDB_SETUP_GLYPH 105        // 19 x 18: picture of the settings button

// Setup dialog.
#define IDB_SETUP_BACKGROUND 110   // 20 x 43, stretched over the whole dialog
#define IDB_SETUP_SAVE_GLYPH 111   // 19 x 18: picture of the save button

// Main window.
#define IDB_MAIN_TITLE_FRAME 120   // 40 x 40, margins 17; centre filled with RGB 231, 231, 231
#define IDB_MAIN_BROWSER_FRAME 121 // 40 x 40, margins 17; white centre
#define IDB_MAIN_STATUS_FRAME 122  // 50 x 32, margins left 8, top 0, right 18, bottom 32
#define IDB_MAIN_LOGO 123          // 154 x 27, on the title bar's colours
#define IDB_MAIN_MINIMIZE 124      // 120 x 25: four 30 x 25 frames
#define IDB_MAIN_MAXIMIZE 125      // 124 x 25: four 31 x 25 frames
#define IDB_MAIN_CLOSE 126         // 140 x 25: four 35 x 25 frames

#endif
