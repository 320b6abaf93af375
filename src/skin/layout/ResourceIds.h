/* The program's resource numbers: dialog templates, icons and control IDs.
   The one home of these numbers: the resource script, the windows' layout
   tables, the portable core's tool-tip tables and the skin artwork generator
   all read this file, so it holds only #define lines and includes nothing
   (the resource compiler reads no C++; the core builds without Windows
   headers). Control IDs repeat across windows; each name carries its window. */
#pragma once

/* Dialog templates and icons. */
#define IDD_MAIN_WINDOW 102
#define IDD_MOUSE_SETTINGS 129
#define IDD_SENSOR 130
#define IDD_LED 131
#define IDD_SUPPORT 133
#define IDD_KEY_CAPTURE 134
#define IDD_POPUP 135
#define IDD_NO_DEVICE 141
#define IDD_LANGUAGE 142
#define IDI_TRAY 139
#define IDI_WINDOW 140

/* Main window (102). */
#define IDC_MAIN_TAB_KEYS 1000
#define IDC_MAIN_TAB_SENSOR 1001
#define IDC_MAIN_TAB_LED 1002
#define IDC_MAIN_TAB_SUPPORT 1004
#define IDC_MAIN_MINIMISE 1005
#define IDC_MAIN_RESET 1031
#define IDC_MAIN_APPLY 1042
#define IDC_MAIN_HIDE 1044
#define IDC_MAIN_FIRMWARE 1080
#define IDC_MAIN_LANGUAGE 1118

/* Mouse-settings page (129), both modes: tabs, Reset, Apply. */
#define IDC_MS_TAB_KEYS 1097
#define IDC_MS_TAB_OS 1098
#define IDC_MS_RESET 1099
#define IDC_MS_APPLY 1100
/* Key-assignment mode: function selector, hot-spot and badge of buttons 1-7. */
#define IDC_MS_SELECTOR_1 1012
#define IDC_MS_SELECTOR_2 1021
#define IDC_MS_SELECTOR_3 1022
#define IDC_MS_SELECTOR_4 1023
#define IDC_MS_SELECTOR_5 1024
#define IDC_MS_SELECTOR_6 1025
#define IDC_MS_SELECTOR_7 1026
#define IDC_MS_HOTSPOT_1 1032
#define IDC_MS_HOTSPOT_2 1033
#define IDC_MS_HOTSPOT_3 1013
#define IDC_MS_HOTSPOT_4 1034
#define IDC_MS_HOTSPOT_5 1037
#define IDC_MS_HOTSPOT_6 1035
#define IDC_MS_HOTSPOT_7 1036
#define IDC_MS_BADGE_1 1038
#define IDC_MS_BADGE_2 1039
#define IDC_MS_BADGE_3 1017
#define IDC_MS_BADGE_4 1042
#define IDC_MS_BADGE_5 1045
#define IDC_MS_BADGE_6 1043
#define IDC_MS_BADGE_7 1044
/* OS-sensitivity mode. */
#define IDC_MS_POLL_125 1028
#define IDC_MS_POLL_250 1027
#define IDC_MS_POLL_500 1029
#define IDC_MS_POLL_1000 1030
#define IDC_MS_LOCK 1040
#define IDC_MS_UNLOCK 1041
#define IDC_MS_POINTER_SPEED 1016
#define IDC_MS_DOUBLE_CLICK 1014
#define IDC_MS_RESPONSE 1015
#define IDC_MS_ANCHOR_POLLING 1131
#define IDC_MS_ANCHOR_LOCK 1132
#define IDC_MS_ANCHOR_SPEED 1133
#define IDC_MS_ANCHOR_DOUBLE_CLICK 1134
#define IDC_MS_ANCHOR_RESPONSE 1135

/* Sensor page (130). */
#define IDC_SENSOR_ANALYZE 1021
#define IDC_SENSOR_DPI_1 1022
#define IDC_SENSOR_DPI_2 1023
#define IDC_SENSOR_DPI_3 1024
#define IDC_SENSOR_LIFT_OFF 1025
#define IDC_SENSOR_RESET 1104
#define IDC_SENSOR_APPLY 1105
#define IDC_SENSOR_VALUE_1 1126
#define IDC_SENSOR_VALUE_2 1127
#define IDC_SENSOR_VALUE_3 1128
#define IDC_SENSOR_ANCHOR_DPI_1 1133
#define IDC_SENSOR_ANCHOR_DPI_2 1134
#define IDC_SENSOR_ANCHOR_DPI_3 1135
#define IDC_SENSOR_ANCHOR_LIFT_OFF 1136

/* LED page (131). */
#define IDC_LED_MODE_ON 1027
#define IDC_LED_MODE_OFF 1028
#define IDC_LED_MODE_BLINK 1049
#define IDC_LED_MODE_BREATHE 1061
#define IDC_LED_RED_EDIT 1082
#define IDC_LED_GREEN_EDIT 1083
#define IDC_LED_BLUE_EDIT 1084
#define IDC_LED_PREVIEW 1085
#define IDC_LED_LEVEL_1 1106
#define IDC_LED_LEVEL_2 1107
#define IDC_LED_LEVEL_3 1108
#define IDC_LED_RESET 1109
#define IDC_LED_APPLY 1110
#define IDC_LED_SWATCH_1 1111
#define IDC_LED_SWATCH_2 1112
#define IDC_LED_SWATCH_3 1113
#define IDC_LED_RED 1115
#define IDC_LED_GREEN 1116
#define IDC_LED_BLUE 1117
#define IDC_LED_ANCHOR_ON 1132
#define IDC_LED_ANCHOR_OFF 1133
#define IDC_LED_ANCHOR_BLINK 1134
#define IDC_LED_ANCHOR_BREATHE 1135

/* Support page (133). */
#define IDC_SUPPORT_VERSION 1006
#define IDC_SUPPORT_ONLINE 1071
#define IDC_SUPPORT_RESET 1100
#define IDC_SUPPORT_APPLY 1101
#define IDC_SUPPORT_AUTOSTART 1102
#define IDC_SUPPORT_ANCHOR_AUTOSTART 1134

/* Key capture dialog (134). */
#define IDC_KEYS_OK 1072
#define IDC_KEYS_CLEAR 1073
#define IDC_KEYS_SECOND 1088
#define IDC_KEYS_CTRL 1118
#define IDC_KEYS_SHIFT 1119
#define IDC_KEYS_ALT 1120
#define IDC_KEYS_WIN 1121
#define IDC_KEYS_FIRST 1125

/* Pop-up dialog (135). */
#define IDC_POPUP_OK 1076
#define IDC_POPUP_CLEAR 1077
#define IDC_POPUP_KEY 1124
#define IDC_POPUP_NUMBER 1125
#define IDC_POPUP_SOFTWARE_VERSION 1129
#define IDC_POPUP_FIRMWARE_VERSION 1130

/* No-device screen (141). */
#define IDC_NO_DEVICE_CLOSE 1006

/* Language page (142): language index n has the check box 1118 + n - 1. */
#define IDC_LANGUAGE_1 1118
#define IDC_LANGUAGE_2 1119
#define IDC_LANGUAGE_3 1120
#define IDC_LANGUAGE_4 1121
#define IDC_LANGUAGE_5 1122
#define IDC_LANGUAGE_6 1123
#define IDC_LANGUAGE_7 1124
#define IDC_LANGUAGE_8 1125
#define IDC_LANGUAGE_9 1126
#define IDC_LANGUAGE_10 1127
#define IDC_LANGUAGE_11 1128
#define IDC_LANGUAGE_12 1129
#define IDC_LANGUAGE_RESET 1130
#define IDC_LANGUAGE_APPLY 1131
