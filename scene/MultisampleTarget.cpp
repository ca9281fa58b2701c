#include "scene/MultisampleTarget.h"

#include <GL/glew.h>

bool CMultisampleTarget::Begin(int newWidth, int newHeight) {
    if (failed || !(GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object)) {
        return false;
    }
    if (framebuffer == 0 || newWidth != width || newHeight != height) {
        Release();
        width = newWidth;
        height = newHeight;
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colour);
        glGenRenderbuffers(1, &depth);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, kSamples, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, kSamples, GL_DEPTH_COMPONENT24, width,
                                         height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            Release();
            failed = true; // not asked again: this renderer cannot do it
            return false;
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glEnable(GL_MULTISAMPLE);
    return true;
}

void CMultisampleTarget::End(unsigned target) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glDrawBuffer(target == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
}

void CMultisampleTarget::Release() {
    if (framebuffer != 0) {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
        glDeleteRenderbuffers(1, &depth);
    }
    framebuffer = 0;
    colour = 0;
    depth = 0;
}
