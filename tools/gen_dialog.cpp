// Build-time generator: turns the dialog templates and the string table of the resource
// script into C++ tables, so the Qt window is laid out from the very script the Windows
// dialog is compiled from.
//
// Usage: gen_dialog RESOURCE.rc IDS.h OUT.inc
//
// It reads the subset of the resource language the script uses: DIALOGEX blocks with their
// STYLE, CAPTION and FONT statements and the control statements GROUPBOX, LTEXT, PUSHBUTTON,
// DEFPUSHBUTTON, COMBOBOX, EDITTEXT, ICON and CONTROL; one STRINGTABLE. Every other resource
// is skipped whole. Ids are numbers or names #defined in IDS.h. Anything it does not know
// stops the build with the line it is on: a template the Qt window would misread must not
// build.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Token {
    enum Kind { kWord, kNumber, kString, kPunct, kEnd } kind = kEnd;
    std::string text;
    long value = 0;
    int line = 0;
};

[[noreturn]] void Fail(int line, const std::string& what) {
    std::fprintf(stderr, "gen_dialog: line %d: %s\n", line, what.c_str());
    std::exit(1);
}

std::vector<Token> Tokenise(const std::string& src) {
    std::vector<Token> out;
    int line = 1;
    std::size_t i = 0;
    const std::size_t n = src.size();
    bool lineStart = true;
    while (i < n) {
        const char c = src[i];
        if (c == '\n') {
            ++line;
            ++i;
            lineStart = true;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (lineStart && c == '#') {  // preprocessor lines: includes and the code page
            while (i < n && src[i] != '\n') ++i;
            continue;
        }
        lineStart = false;
        if (c == '/' && i + 1 < n && src[i + 1] == '/') {
            while (i < n && src[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && src[i + 1] == '*') {
            i += 2;
            while (i + 1 < n && !(src[i] == '*' && src[i + 1] == '/')) {
                if (src[i] == '\n') ++line;
                ++i;
            }
            i += 2;
            continue;
        }
        Token t;
        t.line = line;
        if (c == '"') {
            t.kind = Token::kString;
            ++i;
            for (;;) {
                if (i >= n || src[i] == '\n') Fail(line, "unterminated string");
                if (src[i] == '"') {
                    if (i + 1 < n && src[i + 1] == '"') {  // "" stands for one quote
                        t.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (src[i] == '\\') Fail(line, "escapes are not used in this script");
                t.text += src[i++];
            }
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            t.kind = Token::kNumber;
            std::size_t used = 0;
            t.value = std::stol(src.substr(i), &used, 0);
            i += used;
            while (i < n && (src[i] == 'L' || src[i] == 'l')) ++i;  // 0x3fL
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            t.kind = Token::kWord;
            while (i < n && (std::isalnum(static_cast<unsigned char>(src[i])) || src[i] == '_')) {
                t.text += src[i++];
            }
        } else {
            t.kind = Token::kPunct;
            t.text = c;
            ++i;
        }
        out.push_back(t);
    }
    Token end;
    end.line = line;
    out.push_back(end);
    return out;
}

// The #define NAME VALUE lines of the ids header.
std::map<std::string, long> ReadIds(const std::string& text) {
    std::map<std::string, long> ids;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string hash, name, value;
        if (!(words >> hash >> name >> value) || hash != "#define") continue;
        std::string digits;
        for (char c : value) {
            if (c != '(' && c != ')') digits += c;
        }
        ids[name] = std::stol(digits, nullptr, 0);
    }
    return ids;
}

struct Control {
    long id = -1;
    std::string kind;  // a ControlKind enumerator
    std::string text;
    long x = 0, y = 0, cx = 0, cy = 0;
    std::set<std::string> styles;
};

struct Dialog {
    long id = 0;
    std::string caption, font;
    long pointSize = 0;
    long cx = 0, cy = 0;
    std::set<std::string> styles;
    std::vector<Control> controls;
};

class Parser {
  public:
    Parser(std::vector<Token> tokens, std::map<std::string, long> ids)
        : m_tokens(std::move(tokens)), m_ids(std::move(ids)) {}

    void Run() {
        while (Peek().kind != Token::kEnd) {
            const Token name = Next();
            const Token what = Next();
            if (what.kind != Token::kWord) Fail(what.line, "a resource type expected");
            if (name.kind == Token::kWord && name.text == "LANGUAGE") {
                Next();  // the sublanguage after the comma
                Next();
                continue;
            }
            if (name.kind == Token::kWord && name.text == "STRINGTABLE") {
                m_pos -= 2;
                ReadStringTable();
                continue;
            }
            if (what.text == "DIALOGEX") {
                ReadDialog(Id(name));
            } else {
                SkipResource();
            }
        }
    }

    std::vector<Dialog> dialogs;
    std::vector<std::pair<long, std::string>> strings;

  private:
    const Token& Peek() const { return m_tokens[m_pos]; }
    Token Next() {
        if (m_tokens[m_pos].kind == Token::kEnd) Fail(m_tokens[m_pos].line, "unexpected end");
        return m_tokens[m_pos++];
    }
    bool IsPunct(const char* p) const { return Peek().kind == Token::kPunct && Peek().text == p; }
    void Expect(const char* p) {
        const Token t = Next();
        if (t.kind != Token::kPunct || t.text != p)
            Fail(t.line, std::string("'") + p + "' expected");
    }
    bool Comma() {
        if (!IsPunct(",")) return false;
        ++m_pos;
        return true;
    }
    bool IsWord(const char* w) const { return Peek().kind == Token::kWord && Peek().text == w; }

    long Id(const Token& t) {
        if (t.kind == Token::kNumber) return t.value;
        if (t.kind == Token::kWord) {
            auto it = m_ids.find(t.text);
            if (it == m_ids.end()) Fail(t.line, "unknown id " + t.text);
            return it->second;
        }
        Fail(t.line, "an id expected");
    }
    long Number() {
        bool negative = false;
        if (IsPunct("-")) {
            ++m_pos;
            negative = true;
        }
        const Token t = Next();
        if (t.kind != Token::kNumber) Fail(t.line, "a number expected");
        return negative ? -t.value : t.value;
    }
    long IdArg() {
        if (IsPunct("-")) return Number();
        return Id(Next());
    }
    std::string String() {
        const Token t = Next();
        if (t.kind != Token::kString) Fail(t.line, "a string expected");
        return t.text;
    }
    // NAME | NAME | ..., possibly with NOT; numbers are allowed but carry no name.
    std::set<std::string> Styles() {
        std::set<std::string> out;
        for (;;) {
            if (IsWord("NOT")) ++m_pos;
            const Token t = Next();
            if (t.kind == Token::kWord) {
                out.insert(t.text);
            } else if (t.kind != Token::kNumber) {
                Fail(t.line, "a style expected");
            }
            if (!IsPunct("|")) break;
            ++m_pos;
        }
        return out;
    }
    void Rect(Control& c) {
        c.x = Number();
        Expect(",");
        c.y = Number();
        Expect(",");
        c.cx = Number();
        Expect(",");
        c.cy = Number();
    }
    // [, style [, exstyle]] after a control's rectangle.
    void TrailingStyles(Control& c) {
        if (!Comma()) return;
        c.styles = Styles();
        if (Comma()) Styles();
    }

    void SkipResource() {
        // The rest of the header line's arguments and statements up to a block, then the block.
        int depth = 0;
        for (;;) {
            const Token& t = Peek();
            if (t.kind == Token::kEnd) return;
            if (t.kind == Token::kWord && (t.text == "BEGIN" || t.text == "BLOCK")) {
                if (t.text == "BEGIN") ++depth;
                ++m_pos;
                continue;
            }
            if (t.kind == Token::kWord && t.text == "END") {
                ++m_pos;
                if (--depth == 0) return;
                continue;
            }
            if (depth == 0 && t.kind == Token::kString) {  // a one-line resource: its file
                ++m_pos;
                return;
            }
            ++m_pos;
        }
    }

    void ReadStringTable() {
        Next();  // STRINGTABLE
        while (!IsWord("BEGIN")) Next();
        Next();
        while (!IsWord("END")) {
            const long id = Id(Next());
            Comma();
            strings.emplace_back(id, String());
        }
        Next();
    }

    void ReadDialog(long id) {
        Dialog d;
        d.id = id;
        Number();  // x, y: where the window goes, not the layout
        Expect(",");
        Number();
        Expect(",");
        d.cx = Number();
        Expect(",");
        d.cy = Number();
        while (!IsWord("BEGIN")) {
            const Token t = Next();
            if (t.kind != Token::kWord) Fail(t.line, "a dialog statement expected");
            if (t.text == "STYLE") {
                d.styles = Styles();
            } else if (t.text == "EXSTYLE") {
                Styles();
            } else if (t.text == "CAPTION") {
                d.caption = String();
            } else if (t.text == "FONT") {
                d.pointSize = Number();
                Expect(",");
                d.font = String();
                while (Comma()) Number();
            } else {
                Fail(t.line, "unknown dialog statement " + t.text);
            }
        }
        Next();
        while (!IsWord("END")) d.controls.push_back(ReadControl());
        Next();
        dialogs.push_back(std::move(d));
    }

    Control ReadControl() {
        const Token t = Next();
        if (t.kind != Token::kWord) Fail(t.line, "a control statement expected");
        Control c;
        const std::string& s = t.text;
        if (s == "GROUPBOX" || s == "LTEXT" || s == "PUSHBUTTON" || s == "DEFPUSHBUTTON") {
            c.kind = s == "GROUPBOX"     ? "kGroupBox"
                     : s == "LTEXT"      ? "kLabel"
                     : s == "PUSHBUTTON" ? "kPushButton"
                                         : "kDefPushButton";
            c.text = String();
            Expect(",");
            c.id = IdArg();
            Expect(",");
            Rect(c);
            TrailingStyles(c);
        } else if (s == "COMBOBOX" || s == "EDITTEXT") {
            c.id = IdArg();
            Expect(",");
            Rect(c);
            TrailingStyles(c);
            if (s == "EDITTEXT") {
                c.kind = "kEdit";
            } else if (c.styles.count("CBS_DROPDOWNLIST")) {
                c.kind = "kDropList";
            } else if (c.styles.count("CBS_DROPDOWN")) {
                c.kind = "kComboEdit";
            } else {
                Fail(t.line, "a combo box is CBS_DROPDOWN or CBS_DROPDOWNLIST here");
            }
        } else if (s == "ICON") {
            c.kind = "kIcon";
            Next();  // the icon's name: there is one
            Expect(",");
            c.id = IdArg();
            Expect(",");
            c.x = Number();
            Expect(",");
            c.y = Number();
            if (Comma()) {
                c.cx = Number();
                Expect(",");
                c.cy = Number();
                TrailingStyles(c);
            }
        } else if (s == "CONTROL") {
            c.text = String();
            Expect(",");
            c.id = IdArg();
            Expect(",");
            const std::string cls = String();
            Expect(",");
            c.styles = Styles();
            Expect(",");
            Rect(c);
            if (Comma()) Styles();
            if (cls == "Button" && c.styles.count("BS_AUTORADIOBUTTON")) {
                c.kind = "kRadio";
            } else if (cls == "Button" && c.styles.count("BS_AUTOCHECKBOX")) {
                c.kind = "kCheckBox";
            } else if (cls == "msctls_updown32") {
                c.kind = "kSpin";
            } else if (cls == "msctls_progress32") {
                c.kind = "kProgress";
            } else if (cls == "Static" && c.styles.count("SS_BLACKFRAME")) {
                c.kind = "kFrame";
            } else {
                Fail(t.line, "a CONTROL of class " + cls + " with these styles is not known");
            }
        } else {
            Fail(t.line, "unknown control statement " + s);
        }
        return c;
    }

    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
    std::map<std::string, long> m_ids;
};

std::string Literal(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Flags(const Control& c) {
    std::vector<std::string> f;
    if (c.styles.count("ES_READONLY")) f.push_back("kReadOnly");
    if (c.styles.count("ES_CENTER")) f.push_back("kCentred");
    if (f.empty()) return "0";
    std::string out;
    for (const std::string& s : f)
        out += (out.empty() ? "" : " | ") + std::string("ControlTemplate::") + s;
    return out;
}

std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "gen_dialog: cannot read %s\n", path);
        std::exit(1);
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_dialog RESOURCE.rc IDS.h OUT.inc\n");
        return 2;
    }
    Parser parser(Tokenise(Read(argv[1])), ReadIds(Read(argv[2])));
    parser.Run();

    std::ostringstream out;
    out << "// Generated by gen_dialog from the resource script; edit the script, not this.\n";
    for (const Dialog& d : parser.dialogs) {
        out << "inline constexpr ControlTemplate kTemplate" << d.id << "Controls[] = {\n";
        for (const Control& c : d.controls) {
            out << "    {" << c.id << ", ControlKind::" << c.kind << ", " << Literal(c.text) << ", "
                << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy << ", " << Flags(c) << "},\n";
        }
        out << "};\n";
        out << "inline constexpr DialogTemplate kTemplate" << d.id << "{" << Literal(d.caption)
            << ", " << Literal(d.font) << ", " << d.pointSize << ", " << d.cx << ", " << d.cy
            << ", " << (d.styles.count("WS_MINIMIZEBOX") ? "true" : "false") << ", kTemplate"
            << d.id << "Controls};\n";
    }
    out << "inline constexpr ResourceString kStringTable[] = {\n";
    for (const auto& [id, text] : parser.strings)
        out << "    {" << id << ", " << Literal(text) << "},\n";
    out << "};\n";

    const std::string text = out.str();
    // Unchanged output is not rewritten, so nothing that includes it is rebuilt for nothing.
    {
        std::ifstream old(argv[3], std::ios::binary);
        std::ostringstream s;
        s << old.rdbuf();
        if (old && s.str() == text) return 0;
    }
    std::ofstream file(argv[3], std::ios::binary);
    file << text;
    return file ? 0 : 1;
}
