#include "scene/OffscreenTarget.h"

#include "common/GeneralException.h"

#include <GL/glew.h>
#include <string>

void COffscreenTarget::Create(int width, int height) {
    if (!(GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object)) {
        throw CGeneralException(
            "COffscreenTarget::Create(): The OpenGL renderer has no framebuffer objects.");
    }
    Release();
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Release();
        throw CGeneralException("COffscreenTarget::Create(): The OpenGL renderer cannot draw a " +
                                std::to_string(width) + "x" + std::to_string(height) +
                                " picture off screen.");
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}

void COffscreenTarget::Release() {
    if (framebuffer != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
        glDeleteRenderbuffers(1, &depth);
    }
    framebuffer = 0;
    colour = 0;
    depth = 0;
}
