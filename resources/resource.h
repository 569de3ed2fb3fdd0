// Resource and control identifiers. The numbers are those the dialog
// templates carry; both builds share them. Used by .rc scripts and C++.
#pragma once

// Dialog templates and the icon.
#define IDD_EDITOR_EN 103
#define IDD_PREFERENCES_EN 112
#define IDD_EDITOR_CH 113
#define IDD_PREFERENCES_CH 114
#define IDI_VERSOTIME 108

// Unnamed static texts and group boxes.
#define IDC_STATIC -1

// Editor window (103, 113).
#define IDC_SEEK_SLIDER 1000
#define IDC_LYRIC_EDIT 1006
#define IDC_STOP 1009
#define IDC_PLAY 1010
#define IDC_PAUSE 1011
#define IDC_NEXT_TRACK 1014
#define IDC_PREVIOUS_TRACK 1015
#define IDC_SEEK_FORWARD 1016
#define IDC_SEEK_BACK 1017
#define IDC_SAVE_LYRIC_FILE 1020
#define IDC_TRACK_TEXT 1021
#define IDC_POSITION_LABEL 1022
#define IDC_LENGTH_LABEL 1023
#define IDC_LENGTH_SEPARATOR 1026
#define IDC_STATUS_LINE 1039
#define IDC_SEEK_STEP 1043
#define IDC_OFFSET_FIELD 1053
#define IDC_TIME_TAG_LIST 1059
#define IDC_LYRIC_LIST 1060
#define IDC_TIME_EDIT 1061
#define IDC_DELETE_LYRICS 1062
#define IDC_DELETE_TIMETAG 1063
#define IDC_ADD_TIMETAG 1064
#define IDC_INSERT_LYRICS 1066
#define IDC_MODE_PLAYING 1067
#define IDC_MODE_NORMAL 1068
#define IDC_READ_LYRIC_FILE 1069
#define IDC_ADD_LYRICS 1072
#define IDC_SAVE_LYRIC_TAG 1075
#define IDC_READ_LYRIC_TAG 1076
#define IDC_CONFIG 1077
#define IDC_READ_CLIPBOARD 1078
#define IDC_COPY_CLIPBOARD 1079
#define IDC_MODIFY_LYRICS 1080
#define IDC_SAVE_FILEPATH_TAG 1082
#define IDC_CLEAR 1085

// Command posted to the editor window to run the tick on its own thread.
#define IDC_TICK_COMMAND 101
// Commands the editor's own keys become (editor/editor_keys.cpp).
#define IDC_UNDO_KEY 120
#define IDC_REDO_KEY 121
#define IDC_NUDGE_LATER_KEY 122
#define IDC_NUDGE_EARLIER_KEY 123
// The editor window's timer.
#define IDT_PLAYBACK_TICK 666

// Preferences page (112, 114).
#define IDC_PREF_ALWAYS_ON_TOP 1049
#define IDC_PREF_REMEMBER_POSITION 1056
#define IDC_PREF_AUTO_SAVE 1040
#define IDC_PREF_LYRIC_TAG 1078
#define IDC_PREF_FILEPATH_TAG 1083
#define IDC_PREF_EXTENSION 1057
#define IDC_PREF_NAME_SAME_AS_MEDIA 1073
#define IDC_PREF_NAME_FORMATTED 1074
#define IDC_PREF_NAME_FORMAT 1070
#define IDC_PREF_TITLE_FORMAT 1007
#define IDC_PREF_SAVE 1071
