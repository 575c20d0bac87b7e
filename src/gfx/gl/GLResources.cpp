#include <string>

#include "gfx/gl/GLBackend.h"

namespace {

std::string statusText(GLenum status)
{
    switch (status) {
    case GL_FRAMEBUFFER_UNSUPPORTED: return "GL_FRAMEBUFFER_UNSUPPORTED";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT: return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT: return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT";
    default: return "status " + std::to_string(status);
    }
}

}  // namespace

TextureId GLDevice::createTexture(const TextureSettings& settings, const uint8_t* rgba)
{
    GLuint name = 0;
    gl_.GenTextures(1, &name);
    bindTexture(0, TextureId{name});
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, settings.width, settings.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, settings.mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLint wrap = settings.repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    if (settings.mipmapped) gl_.GenerateMipmap(GL_TEXTURE_2D);
    return TextureId{name};
}

void GLDevice::destroyTexture(TextureId texture)
{
    for (GLuint& bound : boundTextures_)
        if (bound == texture.name) bound = 0;
    gl_.DeleteTextures(1, &texture.name);
}

Result<TargetNames> GLDevice::createTarget(int32_t width, int32_t height)
{
    Target t;
    gl_.GenTextures(1, &t.colour);
    bindTexture(0, TextureId{t.colour});
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl_.GenRenderbuffers(1, &t.depth);
    gl_.BindRenderbuffer(GL_RENDERBUFFER, t.depth);
    gl_.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl_.GenFramebuffers(1, &t.framebuffer);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.colour, 0);
    gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, t.depth);
    // The target, with its attachments, must be one the GL can draw into.
    const GLenum status = gl_.CheckFramebufferStatus(GL_FRAMEBUFFER);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(boundTarget_));
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        gl_.DeleteFramebuffers(1, &t.framebuffer);
        destroyTexture(TextureId{t.colour});
        gl_.DeleteRenderbuffers(1, &t.depth);
        return Failure{"the OpenGL driver cannot draw into a " + std::to_string(width) + "x" + std::to_string(height) +
                       " off-screen framebuffer (" + statusText(status) + ")"};
    }
    const TargetId name{nextName_++};
    targets_[name] = t;
    return TargetNames{name, TextureId{t.colour}};
}

void GLDevice::destroyTarget(TargetId target)
{
    const auto it = targets_.find(target);
    if (it == targets_.end()) return;
    if (boundTarget_ == target) bindTarget({});
    gl_.DeleteFramebuffers(1, &it->second.framebuffer);
    destroyTexture(TextureId{it->second.colour});
    gl_.DeleteRenderbuffers(1, &it->second.depth);
    targets_.erase(it);
}

GLuint GLDevice::framebufferOf(TargetId target) const
{
    const auto it = targets_.find(target);
    return it == targets_.end() ? 0 : it->second.framebuffer;
}

MeshId GLDevice::createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                              MeshAttributes attributes)
{
    StoredMesh m;
    m.mode = topology == Topology::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    m.attributes = attributes;
    m.count = static_cast<GLsizei>(indices.empty() ? vertices.size() : indices.size());
    gl_.GenVertexArrays(1, &m.vertexArray);
    gl_.BindVertexArray(m.vertexArray);
    gl_.GenBuffers(1, &m.vertices);
    gl_.BindBuffer(GL_ARRAY_BUFFER, m.vertices);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size_bytes()), vertices.data(), GL_STATIC_DRAW);
    const auto field = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    const GLsizei stride = sizeof(Vertex);
    gl_.VertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
    gl_.EnableVertexAttribArray(kPosition);
    const struct {
        bool present;
        GLuint location;
        GLint size;
        size_t offset;
    } optional[] = {{attributes.colours, kColour, 4, offsetof(Vertex, colour)},
                    {attributes.normals, kNormal, 3, offsetof(Vertex, normal)},
                    {attributes.texCoords, kTexCoord, 2, offsetof(Vertex, texCoord)}};
    for (const auto& a : optional) {
        if (!a.present) continue;
        gl_.VertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE, stride, field(a.offset));
        gl_.EnableVertexAttribArray(a.location);
    }
    if (!indices.empty()) {
        gl_.GenBuffers(1, &m.indices);
        gl_.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.indices);
        gl_.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size_bytes()), indices.data(),
                     GL_STATIC_DRAW);
    }
    gl_.BindVertexArray(0);
    const MeshId id{nextName_++};
    meshes_[id] = m;
    return id;
}

void GLDevice::destroyMesh(MeshId mesh)
{
    const auto it = meshes_.find(mesh);
    if (it == meshes_.end()) return;
    gl_.DeleteVertexArrays(1, &it->second.vertexArray);
    gl_.DeleteBuffers(1, &it->second.vertices);
    gl_.DeleteBuffers(1, &it->second.indices);
    meshes_.erase(it);
}
