// Message maps: each window class lists the messages, commands and
// notifications it answers, each bound to a member function whose signature
// the compiler checks against the message's cracker below. A class's map
// chains to its base class's map; the first matching entry wins.
//
//   const MessageMap* CMyDlg::GetMessageMap() const {
//       static const MapEntry entries[] = {
//           OnMessage<WM_PAINT, &CMyDlg::OnPaint>(),
//           OnCtlColorMessage<&CMyDlg::OnCtlColor>(),
//           OnControl<BN_CLICKED, IDC_APPLY, &CMyDlg::OnApply>(),
//       };
//       static const MessageMap map{CDialog::GetThisMessageMap(), entries};
//       return &map;
//   }
#pragma once
#include <windows.h>
#include <cstddef>
#include "CDC.h"
#include "Geometry.h"

class CWnd;

enum class MapEntryKind : unsigned char {
    Message,            // one window message
    CtlColor,           // every WM_CTLCOLOR* message
    Command,            // WM_COMMAND with a notification code and control id
    Notify,             // WM_NOTIFY with a notification code and control id
    ReflectedCommand,   // WM_COMMAND sent back to the control that sent it
    ReflectedCtlColor,  // WM_CTLCOLOR* for this control, when its parent has no answer
    CommandRange,       // WM_COMMAND with a notification code from any of a range of control ids
};

// Runs one handler. `handled` starts true; handlers that may decline (the
// reflected command handlers returning bool) clear it to let others run.
using MapHandler = LRESULT (*)(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

struct MapEntry {
    MapEntryKind kind;
    UINT message;  // Message kind only
    UINT code;     // notification code (command and notify kinds)
    UINT id;       // control id (Command and Notify kinds), first id of a range
    MapHandler handler;
    UINT lastId = 0;  // last id of a range (CommandRange kind)
};

struct MessageMap {
    template <std::size_t N>
    MessageMap(const MessageMap* baseMap, const MapEntry (&list)[N]) : base(baseMap), entries(list), count(N) {}
    explicit MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    const MessageMap* base;
    const MapEntry* entries;
    std::size_t count;
};

inline bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

namespace message_map_detail {

template <typename MemberPointer>
struct MemberOf;
template <typename Class, typename Function>
struct MemberOf<Function Class::*> {
    using type = Class;
};
template <auto Handler>
using OwnerOf = typename MemberOf<decltype(Handler)>::type;

inline HWND AsWindow(WPARAM value) { return reinterpret_cast<HWND>(value); }
inline HWND AsWindow(LPARAM value) { return reinterpret_cast<HWND>(value); }

}  // namespace message_map_detail

// How each message's parameters reach its handler. A message without a
// cracker is handled by `LRESULT Handler(WPARAM, LPARAM)`.
template <UINT Message>
struct MessageCracker {
    template <typename C>
    static LRESULT Call(C& self, LRESULT (C::*handler)(WPARAM, LPARAM), WPARAM w, LPARAM l) {
        return (self.*handler)(w, l);
    }
};

// void Handler()
template <UINT Message>
struct PlainCracker {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(), WPARAM, LPARAM) {
        (self.*handler)();
        return 0;
    }
};
template <> struct MessageCracker<WM_PAINT> : PlainCracker<WM_PAINT> {};
template <> struct MessageCracker<WM_DESTROY> : PlainCracker<WM_DESTROY> {};
template <> struct MessageCracker<WM_CLOSE> : PlainCracker<WM_CLOSE> {};
template <> struct MessageCracker<WM_CANCELMODE> : PlainCracker<WM_CANCELMODE> {};
template <> struct MessageCracker<WM_SYSCOLORCHANGE> : PlainCracker<WM_SYSCOLORCHANGE> {};

// void Handler(UINT flags, CPoint point), point in client coordinates
template <UINT Message>
struct MouseCracker {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT, CPoint), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<UINT>(w), CPoint(l));
        return 0;
    }
};
template <> struct MessageCracker<WM_MOUSEMOVE> : MouseCracker<WM_MOUSEMOVE> {};
template <> struct MessageCracker<WM_LBUTTONDOWN> : MouseCracker<WM_LBUTTONDOWN> {};
template <> struct MessageCracker<WM_LBUTTONUP> : MouseCracker<WM_LBUTTONUP> {};
template <> struct MessageCracker<WM_LBUTTONDBLCLK> : MouseCracker<WM_LBUTTONDBLCLK> {};
template <> struct MessageCracker<WM_RBUTTONDOWN> : MouseCracker<WM_RBUTTONDOWN> {};
template <> struct MessageCracker<WM_RBUTTONUP> : MouseCracker<WM_RBUTTONUP> {};

// int Handler(CREATESTRUCTA*): 0 to go on, -1 to refuse the window
template <>
struct MessageCracker<WM_CREATE> {
    template <typename C>
    static LRESULT Call(C& self, int (C::*handler)(CREATESTRUCTA*), WPARAM, LPARAM l) {
        return (self.*handler)(reinterpret_cast<CREATESTRUCTA*>(l));
    }
};

// BOOL Handler(CDC& dc): non-zero when the background was erased
template <>
struct MessageCracker<WM_ERASEBKGND> {
    template <typename C>
    static LRESULT Call(C& self, BOOL (C::*handler)(CDC&), WPARAM w, LPARAM) {
        CDC dc(reinterpret_cast<HDC>(w));
        return (self.*handler)(dc);
    }
};

// void Handler(UINT type, int width, int height)
template <>
struct MessageCracker<WM_SIZE> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT, int, int), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<UINT>(w), static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
        return 0;
    }
};

// void Handler(int x, int y): new client origin in screen coordinates
template <>
struct MessageCracker<WM_MOVE> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(int, int), WPARAM, LPARAM l) {
        (self.*handler)(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
        return 0;
    }
};

// BOOL Handler(UINT keys, short delta, CPoint point), point in screen coordinates
template <>
struct MessageCracker<WM_MOUSEWHEEL> {
    template <typename C>
    static LRESULT Call(C& self, BOOL (C::*handler)(UINT, short, CPoint), WPARAM w, LPARAM l) {
        return (self.*handler)(LOWORD(w), static_cast<short>(HIWORD(w)), CPoint(l));
    }
};

// BOOL Handler(HWND window, UINT hitTest, UINT message)
template <>
struct MessageCracker<WM_SETCURSOR> {
    template <typename C>
    static LRESULT Call(C& self, BOOL (C::*handler)(HWND, UINT, UINT), WPARAM w, LPARAM l) {
        return (self.*handler)(message_map_detail::AsWindow(w), LOWORD(l), HIWORD(l));
    }
};

// void Handler(HWND other): the window gaining or losing the focus
template <UINT Message>
struct FocusCracker {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(HWND), WPARAM w, LPARAM) {
        (self.*handler)(message_map_detail::AsWindow(w));
        return 0;
    }
};
template <> struct MessageCracker<WM_KILLFOCUS> : FocusCracker<WM_KILLFOCUS> {};
template <> struct MessageCracker<WM_SETFOCUS> : FocusCracker<WM_SETFOCUS> {};

// void Handler(HWND newCapture)
template <>
struct MessageCracker<WM_CAPTURECHANGED> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(HWND), WPARAM, LPARAM l) {
        (self.*handler)(message_map_detail::AsWindow(l));
        return 0;
    }
};

// void Handler(UINT state, HWND other, BOOL minimized)
template <>
struct MessageCracker<WM_ACTIVATE> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT, HWND, BOOL), WPARAM w, LPARAM l) {
        (self.*handler)(LOWORD(w), message_map_detail::AsWindow(l), HIWORD(w) != 0);
        return 0;
    }
};

// void Handler(BOOL enabled)
template <>
struct MessageCracker<WM_ENABLE> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(BOOL), WPARAM w, LPARAM) {
        (self.*handler)(w != 0);
        return 0;
    }
};

// UINT Handler(): the DLGC_ flags
template <>
struct MessageCracker<WM_GETDLGCODE> {
    template <typename C>
    static LRESULT Call(C& self, UINT (C::*handler)(), WPARAM, LPARAM) {
        return (self.*handler)();
    }
};

// LRESULT Handler(UINT character, UINT flags, HMENU menu)
template <>
struct MessageCracker<WM_MENUCHAR> {
    template <typename C>
    static LRESULT Call(C& self, LRESULT (C::*handler)(UINT, UINT, HMENU), WPARAM w, LPARAM l) {
        return (self.*handler)(LOWORD(w), HIWORD(w), reinterpret_cast<HMENU>(l));
    }
};

// void Handler(int controlId, MEASUREITEMSTRUCT* item)
template <>
struct MessageCracker<WM_MEASUREITEM> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(int, MEASUREITEMSTRUCT*), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<int>(w), reinterpret_cast<MEASUREITEMSTRUCT*>(l));
        return TRUE;
    }
};

// void Handler(int controlId, DRAWITEMSTRUCT* item)
template <>
struct MessageCracker<WM_DRAWITEM> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(int, DRAWITEMSTRUCT*), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<int>(w), reinterpret_cast<DRAWITEMSTRUCT*>(l));
        return TRUE;
    }
};

// void Handler(UINT_PTR timerId)
template <>
struct MessageCracker<WM_TIMER> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT_PTR), WPARAM w, LPARAM) {
        (self.*handler)(static_cast<UINT_PTR>(w));
        return 0;
    }
};

// void Handler(UINT virtualKey, UINT repeat, UINT flags)
template <UINT Message>
struct KeyCracker {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT, UINT, UINT), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
        return 0;
    }
};
template <> struct MessageCracker<WM_KEYDOWN> : KeyCracker<WM_KEYDOWN> {};
template <> struct MessageCracker<WM_KEYUP> : KeyCracker<WM_KEYUP> {};

// void Handler(UINT id, LPARAM lParam)
template <>
struct MessageCracker<WM_SYSCOMMAND> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(UINT, LPARAM), WPARAM w, LPARAM l) {
        (self.*handler)(static_cast<UINT>(w), l);
        return 0;
    }
};

// HCURSOR Handler()
template <>
struct MessageCracker<WM_QUERYDRAGICON> {
    template <typename C>
    static LRESULT Call(C& self, HCURSOR (C::*handler)(), WPARAM, LPARAM) {
        return reinterpret_cast<LRESULT>((self.*handler)());
    }
};

// void Handler(HWND window, CPoint screenPoint)
template <>
struct MessageCracker<WM_CONTEXTMENU> {
    template <typename C>
    static LRESULT Call(C& self, void (C::*handler)(HWND, CPoint), WPARAM w, LPARAM l) {
        (self.*handler)(message_map_detail::AsWindow(w), CPoint(l));
        return 0;
    }
};

// ---- building entries --------------------------------------------------

namespace message_map_detail {

template <UINT Message, auto Handler>
LRESULT MessageThunk(CWnd& window, UINT, WPARAM w, LPARAM l, bool&) {
    using Owner = OwnerOf<Handler>;
    return MessageCracker<Message>::Call(static_cast<Owner&>(window), Handler, w, l);
}

// HBRUSH Handler(CDC& dc, HWND control, UINT kind), kind = CTLCOLOR_*
template <typename C>
LRESULT CallCtlColor(C& self, HBRUSH (C::*handler)(CDC&, HWND, UINT), UINT kind, WPARAM w, LPARAM l) {
    CDC dc(reinterpret_cast<HDC>(w));
    return reinterpret_cast<LRESULT>((self.*handler)(dc, AsWindow(l), kind));
}
template <auto Handler>
LRESULT CtlColorThunk(CWnd& window, UINT message, WPARAM w, LPARAM l, bool&) {
    return CallCtlColor(static_cast<OwnerOf<Handler>&>(window), Handler, message - WM_CTLCOLORMSGBOX, w, l);
}

// void Handler() consumes; bool Handler() consumes when it returns true.
template <typename C>
void CallCommand(C& self, void (C::*handler)(), bool&) {
    (self.*handler)();
}
template <typename C>
void CallCommand(C& self, bool (C::*handler)(), bool& handled) {
    handled = (self.*handler)();
}
// void Handler(UINT id): the id of the control that sent the notification.
template <auto Handler>
LRESULT CommandRangeThunk(CWnd& window, UINT, WPARAM w, LPARAM, bool&) {
    (static_cast<OwnerOf<Handler>&>(window).*Handler)(LOWORD(w));
    return 0;
}

template <auto Handler>
LRESULT CommandThunk(CWnd& window, UINT, WPARAM, LPARAM, bool& handled) {
    CallCommand(static_cast<OwnerOf<Handler>&>(window), Handler, handled);
    return 0;
}

// void Handler(NMHDR* header, LRESULT* result)
template <typename C>
LRESULT CallNotify(C& self, void (C::*handler)(NMHDR*, LRESULT*), LPARAM l) {
    LRESULT result = 0;
    (self.*handler)(reinterpret_cast<NMHDR*>(l), &result);
    return result;
}
template <auto Handler>
LRESULT NotifyThunk(CWnd& window, UINT, WPARAM, LPARAM l, bool&) {
    return CallNotify(static_cast<OwnerOf<Handler>&>(window), Handler, l);
}

// HBRUSH Handler(CDC& dc, UINT kind); a null brush leaves the message to the parent's default.
template <typename C>
LRESULT CallReflectedCtlColor(C& self, HBRUSH (C::*handler)(CDC&, UINT), UINT kind, WPARAM w, bool& handled) {
    CDC dc(reinterpret_cast<HDC>(w));
    HBRUSH brush = (self.*handler)(dc, kind);
    handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
}
template <auto Handler>
LRESULT ReflectedCtlColorThunk(CWnd& window, UINT message, WPARAM w, LPARAM, bool& handled) {
    return CallReflectedCtlColor(static_cast<OwnerOf<Handler>&>(window), Handler, message - WM_CTLCOLORMSGBOX, w,
                                 handled);
}

}  // namespace message_map_detail

template <UINT Message, auto Handler>
constexpr MapEntry OnMessage() {
    return {MapEntryKind::Message, Message, 0, 0, &message_map_detail::MessageThunk<Message, Handler>};
}
template <auto Handler>
constexpr MapEntry OnCtlColorMessage() {
    return {MapEntryKind::CtlColor, 0, 0, 0, &message_map_detail::CtlColorThunk<Handler>};
}
// A control's notification (BN_CLICKED, CBN_SELENDOK...) or, with code 0, a menu command.
template <UINT Code, UINT Id, auto Handler>
constexpr MapEntry OnControl() {
    return {MapEntryKind::Command, 0, Code, Id, &message_map_detail::CommandThunk<Handler>};
}
// One handler for a notification from any control with an id in [FirstId, LastId];
// it is handed the sender's id. Entries for single ids are looked up first.
template <UINT Code, UINT FirstId, UINT LastId, auto Handler>
constexpr MapEntry OnControlRange() {
    static_assert(FirstId <= LastId, "a range runs upwards");
    return {MapEntryKind::CommandRange, 0, Code, FirstId, &message_map_detail::CommandRangeThunk<Handler>, LastId};
}
template <UINT Id, auto Handler>
constexpr MapEntry OnCommandId() {
    return OnControl<0, Id, Handler>();
}
template <UINT Code, UINT Id, auto Handler>
constexpr MapEntry OnNotifyCode() {
    return {MapEntryKind::Notify, 0, Code, Id, &message_map_detail::NotifyThunk<Handler>};
}
// The control's own handling of a notification it sent. A handler returning
// bool lets the parent see the notification too when it returns false.
template <UINT Code, auto Handler>
constexpr MapEntry OnReflectedControl() {
    return {MapEntryKind::ReflectedCommand, 0, Code, 0, &message_map_detail::CommandThunk<Handler>};
}
template <auto Handler>
constexpr MapEntry OnReflectedCtlColor() {
    return {MapEntryKind::ReflectedCtlColor, 0, 0, 0, &message_map_detail::ReflectedCtlColorThunk<Handler>};
}
