#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

// Whether the OpenGL renderer named by GL_RENDERER draws in software: Mesa's llvmpipe, softpipe
// and swrast. Such a renderer pays for every multisampled pixel with processor time.
inline bool IsSoftwareRenderer(std::string_view glRenderer) {
    std::string name(glRenderer);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* software : {"llvmpipe", "softpipe", "swrast"}) {
        if (name.find(software) != std::string::npos) {
            return true;
        }
    }
    return false;
}
