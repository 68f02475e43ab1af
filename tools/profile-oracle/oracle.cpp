// Runs a list of profile-file reads and writes through the Windows profile service and prints
// what it answered, so the answers can be kept as the expected results of Vantric's own profile
// code. Built with MinGW-w64 and run under Wine by run.sh beside this file.
//
//   oracle.exe CASES FILES WORK > EXPECTED
//
// CASES holds one step a line, fields separated by tabs (texts escaped as described in
// tests/platform/profile/windows/README.md):
//   case NAME FILE [exact]  start a case on a fresh copy of FILES\FILE ("-": no file at all);
//                           "exact": Vantric must leave the same bytes
//   read SECTION KEY
//   write SECTION KEY VALUE
//   int SECTION KEY         the value read, turned into a number by the C runtime's wcstol
// Lines starting with "#" and empty lines are copied through. The output repeats every line and
// adds the answer: "= VALUE" or "missing" after a read, "= 1" or "= 0" after a write, and after
// each case a line "bytes HEX" with the file as the case left it ("bytes none" without a file).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// "\\", "\t", "\n", "\r", "\0" and "\uXXXX" (one UTF-16 unit); everything else as it stands.
std::wstring Unescape(const std::string& field) {
    std::wstring plain = Widen(field);
    std::wstring out;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] != L'\\' || i + 1 >= plain.size()) {
            out += plain[i];
            continue;
        }
        const wchar_t c = plain[++i];
        switch (c) {
            case L't': out += L'\t'; break;
            case L'n': out += L'\n'; break;
            case L'r': out += L'\r'; break;
            case L'0': out += L'\0'; break;
            case L'u':
                out += wchar_t(std::stoul(Narrow(plain.substr(i + 1, 4)), nullptr, 16));
                i += 4;
                break;
            default: out += c; break;
        }
    }
    return out;
}

std::string Escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'\t': out += L"\\t"; break;
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            default:
                if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFEFF ||
                    c == 0xFFFD) {
                    wchar_t buf[8];
                    swprintf(buf, 8, L"\\u%04X", unsigned(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    return Narrow(out);
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::string FileHex(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "none";
    std::string hex;
    unsigned char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            char two[3];
            snprintf(two, sizeof two, "%02x", buf[i]);
            hex += two;
        }
    }
    CloseHandle(h);
    return hex.empty() ? "empty" : hex;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: oracle CASES FILES WORK\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);  // LF line ends, as the cases have them
    FILE* cases = fopen(argv[1], "rb");
    if (!cases) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    const std::wstring files = Widen(argv[2]);
    const std::wstring work = Widen(argv[3]);
    CreateDirectoryW(work.c_str(), nullptr);

    std::wstring current;  // the case's file; a new name per case, so no cached copy is reused
    int number = 0;
    const auto finish = [&] {
        if (current.empty()) return;
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, current.c_str());  // flush
        printf("bytes\t%s\n", FileHex(current).c_str());
        current.clear();
    };

    char raw[65536];
    while (fgets(raw, sizeof raw, cases)) {
        std::string line(raw);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (line.empty() || line[0] == '#') {
            printf("%s\n", line.c_str());
            continue;
        }
        const std::vector<std::string> f = Split(line);
        if (f[0] == "case" && (f.size() == 3 || f.size() == 4)) {
            finish();
            printf("\n%s\n", line.c_str());
            current = work + L"\\case" + std::to_wstring(++number) + L".ini";
            DeleteFileW(current.c_str());
            if (f[2] != "-") {
                const std::wstring source = files + L"\\" + Widen(f[2]);
                if (!CopyFileW(source.c_str(), current.c_str(), FALSE)) {
                    fprintf(stderr, "cannot copy %s\n", f[2].c_str());
                    return 1;
                }
            }
        } else if (f[0] == "read" && f.size() == 3) {
            std::vector<wchar_t> buffer(10240);
            const wchar_t* missing = L"\x01\x02missing";
            GetPrivateProfileStringW(Unescape(f[1]).c_str(), Unescape(f[2]).c_str(), missing,
                                     buffer.data(), DWORD(buffer.size()), current.c_str());
            const std::wstring value(buffer.data());
            if (value == missing) {
                printf("%s\tmissing\n", line.c_str());
            } else {
                printf("%s\t=\t%s\n", line.c_str(), Escape(value).c_str());
            }
        } else if (f[0] == "int" && f.size() == 3) {
            // The wide-text-to-long rule of the C runtime on the value as read.
            std::vector<wchar_t> buffer(10240);
            GetPrivateProfileStringW(Unescape(f[1]).c_str(), Unescape(f[2]).c_str(), L"",
                                     buffer.data(), DWORD(buffer.size()), current.c_str());
            printf("%s\t=\t%ld\n", line.c_str(), wcstol(buffer.data(), nullptr, 10));
        } else if (f[0] == "write" && f.size() == 4) {
            const BOOL ok = WritePrivateProfileStringW(Unescape(f[1]).c_str(),
                                                       Unescape(f[2]).c_str(),
                                                       Unescape(f[3]).c_str(), current.c_str());
            printf("%s\t=\t%d\n", line.c_str(), ok ? 1 : 0);
        } else {
            fprintf(stderr, "bad line: %s\n", line.c_str());
            return 1;
        }
    }
    finish();
    return 0;
}
