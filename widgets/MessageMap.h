#pragma once

#include "widgets/Message.h"

#include <functional>
#include <vector>

namespace tarvel {

// Whether a child's handler of a reflected notification keeps it from its parent.
enum class Reflection { PassOn, Consume };

// A per-class table from message, notification code and control or command id
// to a member handler. An entry that matches handles the message unless its
// handler calls SetMsgHandled(false); then the search goes on and, when
// nothing else handles it, the message gets its default processing. The
// crackers (OnSize, OnMouse, OnKey, OnTimer and the decoded command and
// notify forms) hand the handler its arguments decoded.
template <class T>
class MessageMap {
public:
    using Handler = LRESULT (T::*)(const Message&);

    MessageMap& OnMessage(UINT message, Handler handler) {
        return Add({Kind::Message, message, 0, 0, Raw(handler), true});
    }
    // Any notification code of the command when code is kAnyCode.
    MessageMap& OnCommand(UINT commandId, Handler handler, UINT code = kAnyCode) {
        return Add({Kind::Command, WM_COMMAND, code, commandId, Raw(handler), true});
    }
    MessageMap& OnCommand(UINT commandId, void (T::*handler)(UINT code, HWND control), UINT code = kAnyCode) {
        return Add({Kind::Command, WM_COMMAND, code, commandId,
                    [handler](T& target, const Message& m) -> LRESULT {
                        (target.*handler)(m.CommandCode(), m.CommandWindow());
                        return 0;
                    },
                    true});
    }
    MessageMap& OnNotify(UINT controlId, UINT code, Handler handler) {
        return Add({Kind::Notify, WM_NOTIFY, code, controlId, Raw(handler), true});
    }
    MessageMap& OnNotify(UINT controlId, UINT code, LRESULT (T::*handler)(NMHDR& header)) {
        return Add({Kind::Notify, WM_NOTIFY, code, controlId,
                    [handler](T& target, const Message& m) { return (target.*handler)(*m.Notify()); }, true});
    }
    // Commands that a parent reflected back to this control; the parent
    // still receives them unless the entry consumes them.
    MessageMap& OnReflectedCommand(UINT code, Handler handler, Reflection reflection = Reflection::PassOn) {
        return Add(
            {Kind::ReflectedCommand, Reflected(WM_COMMAND), code, 0, Raw(handler), reflection == Reflection::Consume});
    }

    // WM_SIZE: the kind of change (SIZE_RESTORED...) and the new client size.
    MessageMap& OnSize(void (T::*handler)(UINT kind, SIZE size)) {
        return Add({Kind::Message, WM_SIZE, 0, 0,
                    [handler](T& target, const Message& m) -> LRESULT {
                        (target.*handler)(static_cast<UINT>(m.wParam), m.Size());
                        return 0;
                    },
                    true});
    }
    // A client-area mouse message: the MK_ key flags and the point.
    MessageMap& OnMouse(UINT message, void (T::*handler)(UINT keys, POINT point)) {
        return Add({Kind::Message, message, 0, 0,
                    [handler](T& target, const Message& m) -> LRESULT {
                        (target.*handler)(static_cast<UINT>(m.wParam), m.Point());
                        return 0;
                    },
                    true});
    }
    // WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN...: the key or character, its
    // repeat count and the flags of the key's high word.
    MessageMap& OnKey(UINT message, void (T::*handler)(UINT key, UINT repeat, UINT flags)) {
        return Add({Kind::Message, message, 0, 0,
                    [handler](T& target, const Message& m) -> LRESULT {
                        (target.*handler)(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam));
                        return 0;
                    },
                    true});
    }
    MessageMap& OnTimer(void (T::*handler)(UINT_PTR timerId)) {
        return Add({Kind::Message, WM_TIMER, 0, 0,
                    [handler](T& target, const Message& m) -> LRESULT {
                        (target.*handler)(m.TimerId());
                        return 0;
                    },
                    true});
    }

    bool Dispatch(T& target, const Message& message, LRESULT& result) const {
        for (const Entry& entry : entries_) {
            if (Matches(entry, message) && Call(target, entry, message, result)) {
                return true;
            }
        }
        return false;
    }

    static constexpr UINT kAnyCode = 0xFFFFFFFFu;

private:
    enum class Kind { Message, Command, Notify, ReflectedCommand };
    using Thunk = std::function<LRESULT(T&, const Message&)>;
    struct Entry {
        Kind kind;
        UINT message;
        UINT code;
        UINT id;
        Thunk call;
        bool handles;
    };

    static Thunk Raw(Handler handler) {
        return [handler](T& target, const Message& m) { return (target.*handler)(m); };
    }

    MessageMap& Add(Entry entry) {
        entries_.push_back(std::move(entry));
        return *this;
    }

    // The flag of an outer message handled by the same object stays as it was.
    static bool Call(T& target, const Entry& entry, const Message& message, LRESULT& result) {
        const bool outer = target.IsMsgHandled();
        target.SetMsgHandled(entry.handles);
        const LRESULT value = entry.call(target, message);
        const bool handled = target.IsMsgHandled();
        target.SetMsgHandled(outer);
        if (handled) {
            result = value;
        }
        return handled;
    }

    static bool Matches(const Entry& entry, const Message& message) {
        if (entry.message != message.id) {
            return false;
        }
        switch (entry.kind) {
            case Kind::Message:
                return true;
            case Kind::Command:
                return message.CommandId() == entry.id &&
                       (entry.code == kAnyCode || message.CommandCode() == entry.code);
            case Kind::Notify:
                return message.NotifyId() == entry.id && message.NotifyCode() == entry.code;
            case Kind::ReflectedCommand:
                return entry.code == kAnyCode || message.CommandCode() == entry.code;
        }
        return false;
    }

    std::vector<Entry> entries_;
};

}  // namespace tarvel
