#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CActivationScope.h"
#include "widgets/CDialog.h"
#include "widgets/CProfile.h"
#include "handles/UniqueHandle.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using test::TestModule;

// ---- handle owners -------------------------------------------------------

TEST(UniqueHandle, FreesOnResetAndHandsOverOnMoveAndRelease) {
    UniqueBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    const HBRUSH raw = brush.get();
    ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));

    UniqueBrush moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.get(), raw);

    moved.reset();
    EXPECT_EQ(::GetObjectType(raw), 0u) << "reset must delete the brush";

    UniqueFont font(::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    const HFONT released = font.release();
    EXPECT_FALSE(font);
    EXPECT_EQ(::GetObjectType(released), static_cast<DWORD>(OBJ_FONT)) << "release must not delete";
    ::DeleteObject(released);
}

TEST(UniqueHandle, MoveAssignmentFreesTheOldHandleAndFreeingKeepsLastError) {
    UniquePen first(::CreatePen(PS_SOLID, 1, 0));
    UniquePen second(::CreatePen(PS_SOLID, 2, 0));
    const HPEN firstRaw = first.get();
    first = std::move(second);
    EXPECT_EQ(::GetObjectType(firstRaw), 0u);

    ::SetLastError(ERROR_FILE_NOT_FOUND);
    first.reset();
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(UniqueHandle, WindowDcGoesBackToItsWindowAndMemoryDcIsDeleted) {
    test::TestHost host;
    {
        UniqueWindowDC dc(::GetDC(host.Get()), host.Get());
        ASSERT_TRUE(dc);
        EXPECT_EQ(dc.policy().window, host.Get());
    }
    UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
    const HDC raw = memory.get();
    memory.reset();
    EXPECT_EQ(::GetObjectType(raw), 0u);

    UniqueFileHandle none;
    EXPECT_FALSE(none) << "INVALID_HANDLE_VALUE is the empty file handle";
}

// ---- profile -------------------------------------------------------------

constexpr char kTestSection[] = "Widget Test Section";
constexpr char kExpectedKey[] = "Software\\Ambergrove\\Quillon X\\Tarvel\\Widget Test Section";

CProfile TestProfile() { return CProfile("Ambergrove\\Quillon X", "Tarvel"); }

TEST(Profile, ValuesLandUnderTheApplicationKeyOfTheCurrentUser) {
    const CProfile profile = TestProfile();
    EXPECT_EQ(profile.SectionKeyPath(kTestSection), kExpectedKey);
    ASSERT_TRUE(profile.WriteInt(kTestSection, "Root Node", -1));
    ASSERT_TRUE(profile.WriteString(kTestSection, "Name", "a,b c"));

    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kExpectedKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    UniqueKey owner(key);
    DWORD type = 0, value = 0, size = sizeof(value);
    ASSERT_EQ(::RegQueryValueExA(key, "Root Node", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    char text[32] = {};
    size = sizeof(text);
    ASSERT_EQ(::RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "a,b c");

    EXPECT_EQ(profile.GetInt(kTestSection, "Root Node", 7), -1);
    EXPECT_EQ(profile.GetString(kTestSection, "Name"), "a,b c");
}

TEST(Profile, MissingOrMistypedValuesGiveTheDefault) {
    const CProfile profile = TestProfile();
    EXPECT_EQ(profile.GetInt("No Such Section", "Root Node", 3), 3);
    EXPECT_EQ(profile.GetString("No Such Section", "Name", "fallback"), "fallback");
    ASSERT_TRUE(profile.WriteString(kTestSection, "Text Not Number", "12"));
    EXPECT_EQ(profile.GetInt(kTestSection, "Text Not Number", 5), 5);
    ASSERT_TRUE(profile.WriteInt(kTestSection, "Number Not Text", 12));
    EXPECT_EQ(profile.GetString(kTestSection, "Number Not Text", "none"), "none");
}

// ---- activation context ----------------------------------------------------

TEST(ActivationContext, ScopeMakesTheModuleManifestCurrentAndRestoresTheOldOne) {
    CActivationContext context(TestModule());
    ASSERT_TRUE(context.IsValid()) << "manifest resource 2 of the test program";
    HANDLE before = nullptr;
    ASSERT_TRUE(::GetCurrentActCtx(&before));
    {
        CActivationScope scope(context);
        EXPECT_TRUE(scope.IsActive());
        HANDLE inside = nullptr;
        ASSERT_TRUE(::GetCurrentActCtx(&inside));
        EXPECT_EQ(inside, context.Get());
        ::ReleaseActCtx(inside);
    }
    HANDLE after = nullptr;
    ASSERT_TRUE(::GetCurrentActCtx(&after));
    EXPECT_EQ(after, before);
    ::ReleaseActCtx(after);
    ::ReleaseActCtx(before);
}

TEST(ActivationContext, ModuleWithoutManifestGivesAnInactiveScope) {
    CActivationContext context(TestModule(), 77);
    EXPECT_FALSE(context.IsValid());
    CActivationScope scope(context);
    EXPECT_FALSE(scope.IsActive());
}

// ---- dialogs, data exchange and the modal loop ------------------------------

constexpr UINT kProbeMessage = WM_APP + 1;

// Posts a probe message at its first idle, notes what passed PreTranslateMessage,
// and ends itself when the probe has been seen and the queue ran empty again.
class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(TestModule(), IDD_TEST_MODAL) {}

    std::string text = "initial";
    std::vector<UINT> translated;
    int kicks = 0;
    int kicksAfterProbe = 0;
    bool probeSeen = false;
    std::function<void(ProbeDialog&)> onFirstIdle;

    bool PreTranslateMessage(MSG& message) override {
        translated.push_back(message.message);
        if (message.message == kProbeMessage) {
            probeSeen = true;
            return true;
        }
        return CDialog::PreTranslateMessage(message);
    }

protected:
    void DoDataExchange(CDataExchange& exchange) override { exchange.Text(IDC_TEST_EDIT, text); }

    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<ProbeDialog> map =
            MessageMap<ProbeDialog>().OnMessage(WM_KICKIDLE, &ProbeDialog::OnKickIdle);
        return map.Dispatch(*this, message, result) || CDialog::OnMessage(message, result);
    }

private:
    LRESULT OnKickIdle(const Message& message) {
        EXPECT_EQ(message.wParam, static_cast<WPARAM>(MSGF_DIALOGBOX));
        if (kicks++ == 0) {
            if (onFirstIdle) {
                onFirstIdle(*this);
            } else {
                ::PostMessageA(GetItem(IDC_TEST_EDIT), kProbeMessage, 0, 0);
            }
        } else if (probeSeen && ++kicksAfterProbe == 1) {
            EndModal(IDOK);
        }
        return 0;
    }
};

TEST(ModalLoop, MessagesPassPreTranslateMessageAndIdleSendsKickIdle) {
    test::TestHost owner;
    ProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(owner.Get()), IDOK);
    EXPECT_TRUE(dialog.probeSeen) << "a message posted to a control passes the dialog's PreTranslateMessage";
    EXPECT_GE(dialog.kicks, 2) << "idle again after the probe";
    EXPECT_TRUE(::IsWindowEnabled(owner.Get())) << "the owner is enabled again";
    EXPECT_EQ(dialog.GetHwnd(), nullptr) << "the window is gone after the run";
}

TEST(ModalLoop, OwnerIsDisabledWhileTheDialogRuns) {
    test::TestHost owner;
    ProbeDialog dialog;
    bool ownerEnabledDuringRun = true;
    dialog.onFirstIdle = [&](ProbeDialog& self) {
        ownerEnabledDuringRun = ::IsWindowEnabled(owner.Get()) != FALSE;
        self.EndModal(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(owner.Get()), IDCANCEL);
    EXPECT_FALSE(ownerEnabledDuringRun);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
}

TEST(ModalLoop, OkExchangesDataAndCloseRequestCancels) {
    ProbeDialog ok;
    std::string shownText;
    ok.onFirstIdle = [&](ProbeDialog& self) {
        shownText = self.CWindow::FromHandle(self.GetHwnd()) ? "bound" : "unbound";
        char buffer[64] = {};
        ::GetDlgItemTextA(self.GetHwnd(), IDC_TEST_EDIT, buffer, sizeof(buffer));
        shownText += std::string(":") + buffer;
        ::SetDlgItemTextA(self.GetHwnd(), IDC_TEST_EDIT, "typed");
        ::PostMessageA(self.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(ok.DoModal(nullptr), IDOK);
    EXPECT_EQ(shownText, "bound:initial");
    EXPECT_EQ(ok.text, "typed");

    ProbeDialog closed;
    closed.onFirstIdle = [](ProbeDialog& self) { ::PostMessageA(self.GetHwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(closed.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(closed.text, "initial") << "Cancel takes no data from the controls";
}

TEST(ModalLoop, EscapeKeyReachesTheDialogManagerAsCancel) {
    ProbeDialog dialog;
    dialog.onFirstIdle = [](ProbeDialog& self) {
        HWND edit = self.GetItem(IDC_TEST_EDIT);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
}

class ThrowingHookDialog : public CDialog {
public:
    ThrowingHookDialog() : CDialog(TestModule(), IDD_TEST_MODAL) {}
    int throws = 0;

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == kProbeMessage) {
            ++throws;
            throw std::runtime_error("hook failed");
        }
        return CDialog::PreTranslateMessage(message);
    }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ::PostMessageA(GetHwnd(), kProbeMessage, 0, 0);
        ::PostMessageA(GetHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
};

TEST(ModalLoop, FailingPreTranslateHookDoesNotEndTheRun) {
    test::TestHost owner;
    ThrowingHookDialog dialog;
    EXPECT_EQ(dialog.DoModal(owner.Get()), IDOK);
    EXPECT_EQ(dialog.throws, 1);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
}

TEST(ModalLoop, ChildOwnerDisablesItsTopLevelWindow) {
    test::TestHost owner;
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner.Get(), nullptr,
                                   TestModule(), nullptr);
    ProbeDialog dialog;
    bool topLevelEnabled = true;
    HWND dialogOwner = nullptr;
    dialog.onFirstIdle = [&](ProbeDialog& self) {
        topLevelEnabled = ::IsWindowEnabled(owner.Get()) != FALSE;
        dialogOwner = ::GetWindow(self.GetHwnd(), GW_OWNER);
        self.EndModal(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(child), IDOK);
    EXPECT_FALSE(topLevelEnabled);
    EXPECT_EQ(dialogOwner, owner.Get());
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
}

TEST(ModalLoop, MissingTemplateGivesMinusOne) {
    test::TestHost owner;
    CDialog dialog(TestModule(), 4242);
    EXPECT_EQ(dialog.DoModal(owner.Get()), -1);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
}

// ---- the wrapper procedure ---------------------------------------------------

class ThrowingWindow : public CWindow {
public:
    int handled = 0;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<ThrowingWindow> map = MessageMap<ThrowingWindow>()
                                                          .OnMessage(WM_APP, &ThrowingWindow::Throw)
                                                          .OnMessage(WM_APP + 2, &ThrowingWindow::Count);
        return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
    }

private:
    LRESULT Throw(const Message&) { throw std::runtime_error("handler failed"); }
    LRESULT Count(const Message&) { return ++handled + 100; }
};

TEST(WindowProcedure, ExceptionsStopAtTheBoundaryAndTheDefaultAnswers) {
    test::TestHost host;
    ThrowingWindow window;
    ASSERT_TRUE(window.CreateEx(TestModule(), 0, "STATIC", "x", WS_CHILD, RECT{0, 0, 10, 10}, host.Get(), 5));
    EXPECT_EQ(CWindow::FromHandle(window.GetHwnd()), &window);
    EXPECT_EQ(window.Send(WM_APP), 0) << "the static control's own answer";
    EXPECT_EQ(window.Send(WM_APP + 2), 101);
    EXPECT_EQ(window.GetText(), "x");
    const HWND hwnd = window.GetHwnd();
    window.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(window.GetHwnd(), nullptr) << "the wrapper lets go at WM_NCDESTROY";
}

TEST(WindowProcedure, SubclassedControlIsGivenBackWhenTheWrapperGoes) {
    test::TestHost host;
    HWND control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, host.Get(), nullptr, TestModule(), nullptr);
    const LONG_PTR original = ::GetWindowLongPtrA(control, GWLP_WNDPROC);
    {
        ThrowingWindow window;
        ASSERT_TRUE(window.SubclassWindow(control));
        EXPECT_NE(::GetWindowLongPtrA(control, GWLP_WNDPROC), original);
        EXPECT_FALSE(ThrowingWindow().SubclassWindow(control)) << "one wrapper per window";
    }
    EXPECT_EQ(::GetWindowLongPtrA(control, GWLP_WNDPROC), original);
    EXPECT_EQ(CWindow::FromHandle(control), nullptr);
    EXPECT_TRUE(::IsWindow(control)) << "a subclassed control is not destroyed by its wrapper";
}

BOOL CALLBACK CountProperty(HWND, LPSTR, HANDLE, ULONG_PTR counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// The wrapper of a window is found without anything stored on the window, so
// whatever a host, a dialog or a control keeps there is never taken for one.
TEST(WindowProcedure, PropertiesOfTheWindowAreNeitherUsedNorTouched) {
    test::TestHost host;
    HWND control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, host.Get(), nullptr, TestModule(), nullptr);
    static int hostData = 0;
    for (const char* name : {"Tarvel.WindowObject", "Host.Data"}) {
        ASSERT_TRUE(::SetPropA(control, name, &hostData));
    }
    const auto countProperties = [control] {
        int count = 0;
        ::EnumPropsExA(control, CountProperty, reinterpret_cast<LPARAM>(&count));
        return count;
    };
    EXPECT_EQ(CWindow::FromHandle(control), nullptr);
    {
        ThrowingWindow window;
        ASSERT_TRUE(window.SubclassWindow(control));
        EXPECT_EQ(CWindow::FromHandle(control), &window);
        EXPECT_EQ(window.Send(WM_APP + 2), 101);
        EXPECT_EQ(countProperties(), 2);
    }
    EXPECT_EQ(CWindow::FromHandle(control), nullptr);
    EXPECT_EQ(::GetPropA(control, "Tarvel.WindowObject"), &hostData);
    EXPECT_EQ(::GetPropA(control, "Host.Data"), &hostData);
}

}  // namespace
}  // namespace tarvel
