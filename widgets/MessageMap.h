#pragma once

#include "widgets/Message.h"

#include <vector>

namespace tarvel {

// A per-class table from message, notification code and control or command id
// to a member handler. Handlers return the message result; an entry that
// matches means the message is handled (a handler may call the default itself).
template <class T>
class MessageMap {
public:
    using Handler = LRESULT (T::*)(const Message&);

    MessageMap& OnMessage(UINT message, Handler handler) {
        entries_.push_back({Kind::Message, message, 0, 0, handler});
        return *this;
    }
    // Any notification code of the command when code is kAnyCode.
    MessageMap& OnCommand(UINT commandId, Handler handler, UINT code = kAnyCode) {
        entries_.push_back({Kind::Command, WM_COMMAND, code, commandId, handler});
        return *this;
    }
    MessageMap& OnNotify(UINT controlId, UINT code, Handler handler) {
        entries_.push_back({Kind::Notify, WM_NOTIFY, code, controlId, handler});
        return *this;
    }
    // Notifications that a parent reflected back to this control.
    MessageMap& OnReflectedNotify(UINT code, Handler handler) {
        entries_.push_back({Kind::ReflectedNotify, Reflected(WM_NOTIFY), code, 0, handler});
        return *this;
    }
    MessageMap& OnReflectedCommand(UINT code, Handler handler) {
        entries_.push_back({Kind::ReflectedCommand, Reflected(WM_COMMAND), code, 0, handler});
        return *this;
    }

    bool Dispatch(T& target, const Message& message, LRESULT& result) const {
        for (const Entry& entry : entries_) {
            if (Matches(entry, message)) {
                result = (target.*entry.handler)(message);
                return true;
            }
        }
        return false;
    }

    static constexpr UINT kAnyCode = 0xFFFFFFFFu;

private:
    enum class Kind { Message, Command, Notify, ReflectedNotify, ReflectedCommand };
    struct Entry {
        Kind kind;
        UINT message;
        UINT code;
        UINT id;
        Handler handler;
    };

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
            case Kind::ReflectedNotify:
                return message.NotifyCode() == entry.code;
            case Kind::ReflectedCommand:
                return entry.code == kAnyCode || message.CommandCode() == entry.code;
        }
        return false;
    }

    std::vector<Entry> entries_;
};

}  // namespace tarvel
