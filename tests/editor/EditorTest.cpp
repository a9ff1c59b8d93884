#include "tests/editor/EditorTest.h"

#include "tests/editor/EditorHost.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/ScreenCapture.h"
#include "tests/editor/TemplateText.h"

#include <cstring>

namespace tarvel::uitest {

void EditorTest::SetUp() { ProfileKey::DeleteModuleKey(); }

void EditorTest::TearDown() { ProfileKey::DeleteModuleKey(); }

std::string EditorTest::SampleFile(const char* fileName) {
    const std::string name = fileName;
    if (name == "cpp.tpl") {
        return TemplateRecord("for loop", "fori", "for (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop.") +
               TemplateRecord("class declaration", "cls", "class $Name$ {\n};") +
               TemplateRecord("file header", "", "// $FILE$");
    }
    if (name == "html.tpl") {
        std::string text;
        for (int i = 0; i < 7; ++i) {
            const std::string n = std::to_string(i);
            text += TemplateRecord("html item " + n, "h" + n, "<p>" + n + "</p>");
        }
        return text;
    }
    if (name == "cs.tpl") {
        return TemplateRecord("property", "prop", "public int $Name$ { get; set; }");
    }
    if (name == "java.tpl") {
        return TemplateRecord("main method", "psvm", "public static void main(String[] args) {\n}");
    }
    if (name == "js.tpl") {
        return TemplateRecord("function", "fn", "function $name$() {\n}");
    }
    if (name == "perl.tpl") {
        return TemplateRecord("subroutine", "sub", "sub $name$ {\n}");
    }
    if (name == "txt.tpl") {
        return TemplateRecord("signature", "sig", "Regards");
    }
    return TemplateRecord("message box", "msg", "MsgBox \"$text$\"");
}

void EditorTest::WriteSampleTemplates() const {
    for (const char* file : kTemplateFiles) {
        folder_.Write(file, SampleFile(file));
    }
}

std::string EditorTest::OddAndEvenRecord(int n, const std::string& description) {
    const std::string number = std::to_string(n);
    return TemplateRecord("entry " + number, "a" + number, "<p>" + number + "</p>",
                          description.empty() ? (n % 2 ? "odd" : "even") : description);
}

void EditorTest::WriteOddAndEvenTemplates() const {
    WriteSampleTemplates();
    std::string html;
    for (int n = 0; n < 7; ++n) {
        html += OddAndEvenRecord(n);
    }
    folder_.Write("html.tpl", html);
}

std::map<std::string, std::string> EditorTest::FilesOnDisk() const {
    std::map<std::string, std::string> files;
    for (const auto& name : folder_.Names()) {
        files[name] = folder_.Read(name).value_or("<not a file>");
    }
    return files;
}

int EditorTest::OpenEditorOn(DialogScript& script, const std::string& directory) {
    return script.Run([&] { return EditorHost::ShowAutotextEditor(directory); });
}

// Pixels of a label drawn in the modified colour (red on white).
int RedPixelsOf(const EditorWindow& window, HTREEITEM item) {
    const RECT label = window.LabelRect(item);
    EXPECT_GT(label.right - label.left, 0) << window.Label(item) << " is not visible";
    int red = 0;
    for (LONG y = label.top; y < label.bottom; ++y) {
        for (LONG x = label.left; x < label.right; ++x) {
            const COLORREF pixel = ScreenCapture::PixelAt(window.Tree(), {x, y});
            red += GetRValue(pixel) > 180 && GetGValue(pixel) < 90 && GetBValue(pixel) < 90;
        }
    }
    return red;
}

POINT BesideTreeOnScreen(const EditorWindow& window) {
    RECT tree{};
    ::GetWindowRect(window.Tree(), &tree);
    constexpr LONG kGap = 40;
    return {tree.right + kGap, (tree.top + tree.bottom) / 2};
}

bool TreeIsUnder(const EditorWindow& window, POINT screen) { return ::WindowFromPoint(screen) == window.Tree(); }

void PressOk(EditorWindow& window) { window.PostCommand(IDOK); }

void PressCancel(EditorWindow& window) { window.PostCommand(IDCANCEL); }

void PutOnClipboard(const std::string& text) {
    if (!::OpenClipboard(nullptr)) {
        return;
    }
    ::EmptyClipboard();
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
    }
    ::CloseClipboard();
}

void HoldControl(bool held) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = held ? 0x80 : 0;
    keys[VK_LCONTROL] = keys[VK_CONTROL];
    ::SetKeyboardState(keys);
}

}  // namespace tarvel::uitest
