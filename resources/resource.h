/* Resource numbers of Varnel's icons. Plain #defines only, so that both the C++ sources and
   the resource compiler can include this file. */
#ifndef VARNEL_RESOURCE_H
#define VARNEL_RESOURCE_H

/* The application icon, in title bars and the notification area. */
#define IDI_APP                 1

/* Colour theme swatches, shown next to the colour items of the View menu. */
#define IDI_COLOR_BLUE          110
#define IDI_COLOR_RED           111
#define IDI_COLOR_GREEN         112
#define IDI_COLOR_YELLOW        113
#define IDI_COLOR_ORANGE        114
#define IDI_COLOR_GRAY          115
#define IDI_COLOR_PURPLE        116
#define IDI_COLOR_CYAN          120

#define IDI_DELETE              117

/* The application icon drawn with hard edges, for notification areas that ignore alpha. */
#define IDI_APP_TRAY            119

/* The search box: clear button, magnifier, and the icons of the fields searched. */
#define IDI_CLEAR               126
#define IDI_SEARCH              127
#define IDI_FIELD_TITLE         128
#define IDI_LINK                129
#define IDI_FIELD_TEXT          130
#define IDI_FIELD_TEXT_TITLE    131
#define IDI_FIELD_DATE_TIME     132
/* Drawn over a 16 x 16 field icon, one pixel right and down: the field menu's arrow. */
#define IDI_FIELD_MENU_ARROW    133
#define IDI_FIELD_ANYWHERE      140

#define IDI_COPY                134
#define IDI_TAG                 135
#define IDI_PASTE               141
#define IDI_CUT                 142

/* Scroll indicators of a note whose text is cut: more below, more above, both. */
#define IDI_MORE_BELOW          136
#define IDI_MORE_ABOVE          137
#define IDI_MORE_BOTH           138

#endif
