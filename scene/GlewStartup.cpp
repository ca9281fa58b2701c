#include "scene/GlewStartup.h"

#include <GL/glew.h>
#include <mutex>

std::string InitGlewOnce() {
    static std::once_flag once;
    static std::string failure;
    std::call_once(once, [] {
        glewExperimental = GL_TRUE;
        const GLenum status = glewInit();
        if (status != GLEW_OK) {
            failure = std::string("GLEW initialisation failed: ") +
                      reinterpret_cast<const char*>(glewGetErrorString(status));
        }
    });
    return failure;
}
