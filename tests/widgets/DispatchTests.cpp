// The framework's dispatch rules: reflection, the handled flag and the
// crackers, the exception boundary, destruction at the most-derived level,
// data exchange binding, and the scoped owners of the handles layer.
#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"
#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CDialog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using test::TestModule;

constexpr char kCountingClass[] = "Tarvel.Test.Counting";
constexpr UINT kProbe = WM_APP + 7;
constexpr UINT kChildId = 7;

// The procedure under every wrapper of these tests: it counts what reaches it.
int gPreviousCalls = 0;
LRESULT CALLBACK CountingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        ++gPreviousCalls;
        return 42;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateCounting(HWND parent) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = TestModule();
    windowClass.lpszClassName = kCountingClass;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, kCountingClass, "", parent ? WS_CHILD : WS_POPUP, 0, 0, 50, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(parent ? kChildId : 0)), TestModule(),
                             nullptr);
}

// ---- reflection --------------------------------------------------------------

class ReflectingChild : public CWindow {
public:
    explicit ReflectingChild(Reflection reflection) : reflection_(reflection) {}
    int seen = 0;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        ++seen;
        // The table is built per object here only to try both kinds of entry.
        const MessageMap<ReflectingChild> map =
            MessageMap<ReflectingChild>().OnReflectedCommand(BN_CLICKED, &ReflectingChild::OnClicked, reflection_);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    LRESULT OnClicked(const Message&) { return 0; }
    Reflection reflection_;
};

class CommandParent : public CWindow {
public:
    int commands = 0;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<CommandParent> map =
            MessageMap<CommandParent>().OnCommand(kChildId, &CommandParent::OnChildCommand);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    void OnChildCommand(UINT code, HWND) { commands += code == BN_CLICKED ? 1 : 100; }
};

TEST(Reflection, TheParentHearsAChildNotificationUnlessTheChildConsumesIt) {
    for (const Reflection reflection : {Reflection::PassOn, Reflection::Consume}) {
        test::TestHost host;
        Final<CommandParent> parent;
        ASSERT_TRUE(parent.CreateEx(TestModule(), 0, "STATIC", "", WS_CHILD, RECT{0, 0, 100, 50}, host.Get(), 1));
        ReflectingChild child(reflection);
        ASSERT_TRUE(child.SubclassWindow(CreateCounting(parent)));
        parent.Send(WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(child.GetHwnd()));
        EXPECT_EQ(child.seen, 1) << "the child's wrapper sees its own notification first";
        EXPECT_EQ(parent.commands, reflection == Reflection::PassOn ? 1 : 0);
        child.UnsubclassWindow();
    }
}

// ---- handled flag and crackers ---------------------------------------------------

class CrackedWindow : public CWindow {
public:
    std::vector<std::string> seen;
    bool declineProbe = false;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<CrackedWindow> map = MessageMap<CrackedWindow>()
                                                         .OnSize(&CrackedWindow::OnSize)
                                                         .OnMouse(WM_LBUTTONDOWN, &CrackedWindow::OnButton)
                                                         .OnKey(WM_KEYDOWN, &CrackedWindow::OnKey)
                                                         .OnTimer(&CrackedWindow::OnTimer)
                                                         .OnMessage(kProbe, &CrackedWindow::OnProbe);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    void OnSize(UINT kind, SIZE size) {
        seen.push_back("size " + std::to_string(kind) + " " + std::to_string(size.cx) + "x" + std::to_string(size.cy));
    }
    void OnButton(UINT keys, POINT point) {
        seen.push_back("button " + std::to_string(keys) + " " + std::to_string(point.x) + "," +
                       std::to_string(point.y));
    }
    void OnKey(UINT key, UINT repeat, UINT flags) {
        seen.push_back("key " + std::to_string(key) + " " + std::to_string(repeat) + " " + std::to_string(flags));
    }
    void OnTimer(UINT_PTR id) { seen.push_back("timer " + std::to_string(id)); }
    LRESULT OnProbe(const Message&) {
        SetMsgHandled(!declineProbe);
        return 7;
    }
};

TEST(MessageCrackers, HandlersReceiveDecodedArgumentsAndMayLetTheDefaultAnswer) {
    CrackedWindow window;
    ASSERT_TRUE(window.SubclassWindow(CreateCounting(nullptr)));
    window.Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(320, 200));
    window.Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 17));
    window.Send(WM_KEYDOWN, VK_F2, MAKELPARAM(3, KF_REPEAT));
    window.Send(WM_TIMER, 260);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"size 2 320x200", "button 5 -3,17",
                                                     "key 113 3 " + std::to_string(KF_REPEAT), "timer 260"}));

    gPreviousCalls = 0;
    EXPECT_EQ(window.Send(kProbe), 7);
    EXPECT_EQ(gPreviousCalls, 0) << "a handled message does not reach the previous procedure";
    window.declineProbe = true;
    EXPECT_EQ(window.Send(kProbe), 42) << "a declined message gets the default answer";
    EXPECT_EQ(gPreviousCalls, 1);
    ::DestroyWindow(window.GetHwnd());
}

// ---- exception boundary ------------------------------------------------------------

class ThrowingHandlers : public CWindow {
public:
    bool defaultFirst = false;
    bool throwAtNcDestroy = false;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<ThrowingHandlers> map = MessageMap<ThrowingHandlers>()
                                                            .OnMessage(kProbe, &ThrowingHandlers::OnProbe)
                                                            .OnMessage(WM_NCDESTROY, &ThrowingHandlers::OnNcDestroy);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    LRESULT OnProbe(const Message& message) {
        if (defaultFirst) {
            Default(message);
        }
        throw std::runtime_error("handler failed");
    }
    LRESULT OnNcDestroy(const Message& message) {
        if (throwAtNcDestroy) {
            throw std::runtime_error("clean-up failed");
        }
        return Default(message);
    }
};

TEST(ExceptionBoundary, AThrowingHandlerGetsTheDefaultResultExactlyOnce) {
    for (const bool defaultFirst : {false, true}) {
        ThrowingHandlers window;
        window.defaultFirst = defaultFirst;
        ASSERT_TRUE(window.SubclassWindow(CreateCounting(nullptr)));
        gPreviousCalls = 0;
        EXPECT_EQ(window.Send(kProbe), 42);
        EXPECT_EQ(gPreviousCalls, 1) << (defaultFirst ? "after its own default call" : "without one");
        ::DestroyWindow(window.GetHwnd());
    }
}

TEST(ExceptionBoundary, TheFinalCleanUpRunsWhenTheNcDestroyHandlerThrows) {
    ThrowingHandlers window;
    window.throwAtNcDestroy = true;
    const HWND hwnd = CreateCounting(nullptr);
    ASSERT_TRUE(window.SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(window.GetHwnd(), nullptr);
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
}

// ---- destruction ---------------------------------------------------------------

class DestroyJournal : public CWindow {
public:
    explicit DestroyJournal(std::vector<std::string>& journal) : journal_(journal) {}

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<DestroyJournal> map =
            MessageMap<DestroyJournal>().OnMessage(WM_DESTROY, &DestroyJournal::OnDestroy);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    LRESULT OnDestroy(const Message& message) {
        journal_.push_back("destroyed");
        return Default(message);
    }
    std::vector<std::string>& journal_;
};

TEST(Destruction, TheMostDerivedLevelDestroysSoItsHandlerRuns) {
    test::TestHost host;
    std::vector<std::string> journal;
    const long before = CWindow::WindowsLeftToBaseDestructor();
    HWND hwnd = nullptr;
    {
        Final<DestroyJournal> window(journal);
        ASSERT_TRUE(window.CreateEx(TestModule(), 0, "STATIC", "", WS_CHILD, RECT{0, 0, 5, 5}, host.Get(), 3));
        hwnd = window.GetHwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(journal, std::vector<std::string>{"destroyed"});
    EXPECT_EQ(CWindow::WindowsLeftToBaseDestructor(), before);
}

TEST(Destruction, AWindowLeftToTheBaseDestructorIsCountedAndStillGoes) {
    test::TestHost host;
    std::vector<std::string> journal;
    const long before = CWindow::WindowsLeftToBaseDestructor();
    HWND hwnd = nullptr;
    {
        DestroyJournal window(journal);
        ASSERT_TRUE(window.CreateEx(TestModule(), 0, "STATIC", "", WS_CHILD, RECT{0, 0, 5, 5}, host.Get(), 3));
        hwnd = window.GetHwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
    EXPECT_TRUE(journal.empty()) << "the derived handler was gone already";
    EXPECT_EQ(CWindow::WindowsLeftToBaseDestructor(), before + 1);
}

// ---- data exchange binding ---------------------------------------------------------

class BindingDialog : public CDialog {
public:
    BindingDialog() : CDialog(TestModule(), IDD_TEST_MODAL) {}
    CWindow plainEdit;
    CrackedWindow okButton;

protected:
    void DoDataExchange(CDataExchange& exchange) override {
        exchange.Control(IDC_TEST_EDIT, plainEdit);
        exchange.Control(IDOK, okButton);
    }
};

TEST(DataExchange, APlainControlIsAttachedAndOnlyOneWithBehaviourIsSubclassed) {
    Final<BindingDialog> dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const HWND edit = dialog.GetItem(IDC_TEST_EDIT);
    EXPECT_EQ(dialog.plainEdit.GetHwnd(), edit);
    EXPECT_EQ(CWindow::FromHandle(edit), nullptr) << "its notifications stay with the dialog";
    EXPECT_EQ(CWindow::FromHandle(dialog.GetItem(IDOK)), &dialog.okButton);
    EXPECT_TRUE(dialog.UpdateData(true)) << "a second pass binds nothing twice";
}

// ---- scoped owners -------------------------------------------------------------------

TEST(HandleOwners, PutFillsAnEmptyOwnerAndLocalMemoryIsFreed) {
    UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);

    UniqueLocalMemory<char> text;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<char*>(text.put()), 0, nullptr);
    ASSERT_GT(length, 0u);
    ASSERT_TRUE(text);
    EXPECT_NE(::LocalSize(text.get()), 0u);
}

TEST(HandleOwners, ASelectedObjectGoesBackWhenItsScopeIsLeftByAThrow) {
    UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    UniqueFont font(::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_FONT);
    try {
        SelectedObject selected(dc.get(), font.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), font.get());
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {}
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), original);
}

}  // namespace
}  // namespace tarvel
