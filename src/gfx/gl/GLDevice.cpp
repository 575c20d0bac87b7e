#include <cstddef>

#include "gfx/gl/GLBackend.h"

GLDevice::GLDevice(const GLCommands& commands) : gl_(commands), es_(currentIsES(gl_))
{
    preamble_ = es_ ? "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2D;\n"
                    : "#version 330 core\n";
    gl_.GenVertexArrays(1, &triangleArray_);
    gl_.GenVertexArrays(1, &lineArray_);
    gl_.GenBuffers(1, &streamBuffer_);
    gl_.GenBuffers(1, &instanceBuffer_);
    streamCapacity_ = size_t{4} << 20;
    gl_.BindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamCapacity_), nullptr, GL_STREAM_DRAW);

    // One vertex per vertex: the stream buffer from its start; draws say where they begin.
    gl_.BindVertexArray(triangleArray_);
    const auto field = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    const GLsizei stride = sizeof(Vertex);
    gl_.VertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
    gl_.VertexAttribPointer(kColour, 4, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, colour)));
    gl_.VertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, normal)));
    gl_.VertexAttribPointer(kTexCoord, 2, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, texCoord)));
    for (GLuint a = 0; a < 4; ++a) gl_.EnableVertexAttribArray(a);
    // One segment per instance: its pointers are set for each draw.
    gl_.BindVertexArray(lineArray_);
    for (GLuint a = 0; a < 8; ++a) {
        gl_.EnableVertexAttribArray(a);
        gl_.VertexAttribDivisor(a, 1);
    }
    gl_.BindVertexArray(0);
    gl_.DepthFunc(GL_LEQUAL);
    gl_.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

GLDevice::~GLDevice()
{
    for (auto& textured : shading_)
        for (auto& fogged : textured)
            for (auto& lined : fogged)
                for (Program& p : lined) gl_.DeleteProgram(p.name);
    for (auto& [name, p] : programs_) gl_.DeleteProgram(p.name);
    for (auto& [name, t] : targets_) {
        gl_.DeleteFramebuffers(1, &t.framebuffer);
        gl_.DeleteTextures(1, &t.colour);
        gl_.DeleteRenderbuffers(1, &t.depth);
    }
    for (auto& [name, m] : meshes_) {
        gl_.DeleteVertexArrays(1, &m.vertexArray);
        gl_.DeleteBuffers(1, &m.vertices);
        gl_.DeleteBuffers(1, &m.indices);
    }
    gl_.DeleteVertexArrays(1, &triangleArray_);
    gl_.DeleteVertexArrays(1, &lineArray_);
    gl_.DeleteBuffers(1, &streamBuffer_);
    gl_.DeleteBuffers(1, &instanceBuffer_);
}

DeviceInfo GLDevice::info() const
{
    std::string profile = "OpenGL ES";
    if (!es_) {
        GLint mask = 0;
        gl_.GetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
        profile = (mask & GL_CONTEXT_CORE_PROFILE_BIT) ? "core profile" : "compatibility profile";
    }
    return {text(gl_, GL_RENDERER), (es_ ? "" : "OpenGL ") + text(gl_, GL_VERSION),
            text(gl_, GL_SHADING_LANGUAGE_VERSION), profile};
}

void GLDevice::bindTarget(TargetId target)
{
    boundTarget_ = target;
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(target));
}

void GLDevice::viewport(const PixelBox& box)
{
    viewport_ = box;
    gl_.Viewport(box.x, box.y, box.width, box.height);
}

void GLDevice::clear(const std::array<float, 4>& rgba)
{
    // Depth writes must be on for the depth buffer to clear.
    if (depthWrite_ != 1) {
        gl_.DepthMask(GL_TRUE);
        depthWrite_ = 1;
    }
    gl_.ClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    gl_.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLDevice::readPixels(const PixelBox& box, uint8_t* rgba)
{
    gl_.ReadPixels(box.x, box.y, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void GLDevice::blit(TargetId source, const PixelBox& from, TargetId destination, const PixelBox& to, bool linear)
{
    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebufferOf(source));
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebufferOf(destination));
    gl_.BlitFramebuffer(from.x, from.y, from.x + from.width, from.y + from.height, to.x, to.y, to.x + to.width,
                      to.y + to.height, GL_COLOR_BUFFER_BIT, linear ? GL_LINEAR : GL_NEAREST);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(boundTarget_));
}
