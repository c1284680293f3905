// fuzz_settings.cpp - feeds arbitrary bytes to the settings reader, the server line scanner
// and the list-file line reader.
#include "browser/scanner.h"
#include "browser/settings.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string hostPort;
    scanServerLine((const char *)data, size, &hostPort);

    // A list line taken is one File > Save could have written: written again, it reads back.
    std::string host;
    int port = 0;
    if (parseListLine((const char *)data, size, &host, &port)) {
        std::string line = host + ":" + std::to_string(port);
        std::string again;
        int againPort = 0;
        if (!parseListLine(line.data(), line.size(), &again, &againPort) || again != host ||
            againPort != port)
            __builtin_trap();
    }

    // The reader takes a whole file: whatever it accepts must come out of the writer and
    // read back to the same record.
    FILE *fp = fmemopen(const_cast<uint8_t *>(data), size, "r");
    if (!fp)
        return 0;
    Settings settings;
    parseSettings(fp, &settings, nullptr);
    fclose(fp);

    char *text = nullptr;
    size_t length = 0;
    FILE *out = open_memstream(&text, &length);
    formatSettings(out, settings);
    fclose(out);
    FILE *again = fmemopen(text, length, "r");
    Settings reread;
    parseSettings(again, &reread, nullptr);
    fclose(again);

    char *text2 = nullptr;
    size_t length2 = 0;
    FILE *out2 = open_memstream(&text2, &length2);
    formatSettings(out2, reread);
    fclose(out2);
    if (length != length2 || std::string(text, length) != std::string(text2, length2))
        __builtin_trap();
    free(text);
    free(text2);
    return 0;
}
