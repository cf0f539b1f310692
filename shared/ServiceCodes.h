// Codes and message values that cross process boundaries: the command word of
// the connection section, the key action codes and the posted messages.
#pragma once

#include <cstdint>

// Command word at ConnectionSection +16.
enum ServiceCommand : int32_t {
    CMD_ADD_CONTEXT = 3,
    CMD_REMOVE_CONTEXT = 4,
    CMD_CONTEXT_ENABLE = 5,
    CMD_POINTER_OFF = 6,
    CMD_POINTER_ON = 7,
    CMD_SET_ROTATION = 8,
    CMD_SET_DISABLE_PRESSURE = 9,
    CMD_SAVE_PEN_SETTINGS = 10,
    CMD_SAVE_KEYS = 11,
    CMD_SAVE_MAPPING = 12,
    CMD_RELOAD_DEVICE_RECORD = 18,  // library form only
    CMD_CONTEXT_OVERLAP = 19,
};

// KEYACTION action codes.
enum KeyActionCode : int32_t {
    ACTION_DISABLED = 0,
    ACTION_LEFT_CLICK = 16,
    ACTION_RIGHT_CLICK = 17,
    ACTION_MIDDLE_CLICK = 18,
    ACTION_DOUBLE_CLICK = 19,
    ACTION_SCROLL_UP = 20,
    ACTION_SCROLL_DOWN = 21,
    ACTION_STRIP = 22,
    ACTION_KEYSTROKE = 256,
    ACTION_LAUNCH = 4096,
};

// Window messages posted by the service.
constexpr uint32_t WT_PACKET = 0x7FF0;
constexpr uint32_t WT_PROXIMITY = 0x7FF5;
constexpr uint32_t WT_CSRCHANGE = 0x7FF7;
constexpr uint32_t WM_PEN_TOOL_ID = 0x7FFF;
constexpr uint32_t WM_CALIBRATE_POINT = 0x8000;
constexpr uint32_t WM_EXPRESSKEY_DATA = 0x8001;  // second-brand build only
constexpr uint32_t WM_KEYOVERLAY_CLOSE = 0x851B;

// WT_PROXIMITY lParam values.
constexpr uint32_t PROXIMITY_ENTER = 1;
constexpr uint32_t PROXIMITY_TOOL = 0x10001;
constexpr uint32_t PROXIMITY_LEAVE = 0x10000;

// Client context option bits (ConnectionSection +32).
constexpr uint32_t CTX_OPTION_SYSTEM_CURSOR = 1;
constexpr uint32_t CTX_OPTION_PACKET_MESSAGES = 4;
constexpr uint32_t CTX_OPTION_CSRCHANGE_MESSAGES = 8;

// Client context status bits (ConnectionSection +36).
constexpr uint32_t CTX_STATUS_DISABLED = 1;
constexpr uint32_t CTX_STATUS_OBSCURED = 2;
constexpr uint32_t CTX_STATUS_ON_TOP = 4;

// Flags of the pointer routine and mouse_event as the service uses them.
constexpr uint32_t MOUSE_MOVE = 0x0001;
constexpr uint32_t MOUSE_LEFTDOWN = 0x0002;
constexpr uint32_t MOUSE_LEFTUP = 0x0004;
constexpr uint32_t MOUSE_RIGHTDOWN = 0x0008;
constexpr uint32_t MOUSE_RIGHTUP = 0x0010;
constexpr uint32_t MOUSE_MIDDLEDOWN = 0x0020;
constexpr uint32_t MOUSE_MIDDLEUP = 0x0040;
constexpr uint32_t MOUSE_WHEEL = 0x0800;
constexpr uint32_t MOUSE_VIRTUALDESK = 0x4000;
constexpr uint32_t MOUSE_ABSOLUTE = 0x8000;
constexpr int32_t WHEEL_STEP = 120;

constexpr uint32_t KEY_EXTENDED = 1;
constexpr uint32_t KEY_UP = 2;

// Registered messages.
constexpr const char* REGISTERED_MESSAGE_NAME = "StyloraWintab2008";
constexpr const char* PRECISE_MODE_RECT_CENTER_MESSAGE = "QXPreciseModeRectCenter2012";
constexpr const char* PRECISE_MODE_QUIT_MESSAGE = "QXPreciseModeQuit2012";

// Windows and programs the service looks for by name.
constexpr const char* CALIBRATION_WINDOW_TITLE = "QXCalibrate20090410Window";
constexpr const char* KEY_OVERLAY_WINDOW_TITLE = "QXTK3058KeySet20111102";
constexpr const char* KEY_OVERLAY_PROGRAM = "\\Stylora\\TK3058Keyveil.exe";
constexpr const char* KEY_OVERLAY_PARAMETER = "TK3058Keyveil";
constexpr const char* COREL_PAINTER_TITLE = "Corel Painter";
constexpr const char* PHOTOSHOP_CLASS = "Photoshop";
constexpr const char* PAINT_IMAGE_NAME = "mspaint.exe";

// Settings files below the Program Files folder.
constexpr const char* PEN_SETTINGS_FILE = "\\Tablet\\qxpen.ked";
constexpr const char* DEVICE_SETTINGS_FILE = "\\Tablet\\StyloraFind.ked";
constexpr const char* SUPPORTED_DEVICES_FILE = "\\Tablet\\StyloraInfo.ked";
