#include "gfx/gl/GLBackend.h"

size_t GLDevice::stream(const void* data, size_t bytes)
{
    gl_.BindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    // Whole vertices from the buffer's start, so that a draw can say where it begins by index.
    streamOffset_ = (streamOffset_ + sizeof(Vertex) - 1) / sizeof(Vertex) * sizeof(Vertex);
    if (streamOffset_ + bytes > streamCapacity_) {
        // A fresh buffer: the driver keeps the old one for the draws still using it.
        while (bytes > streamCapacity_) streamCapacity_ *= 2;
        gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamCapacity_), nullptr, GL_STREAM_DRAW);
        streamOffset_ = 0;
    }
    const size_t at = streamOffset_;
    gl_.BufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes), data);
    streamOffset_ += bytes;
    return at;
}

void GLDevice::draw(const DrawCall& call)
{
    const bool lines = call.topology == Topology::Lines || call.topology == Topology::LineStrip;
    Program& p = programFor(call, lines);
    if (!p.linked) return;
    use(p);
    setState(call.state);
    setUniforms(p, call, lines);
    if (call.mesh) {
        const auto it = meshes_.find(call.mesh);
        if (it == meshes_.end()) return;
        const StoredMesh& m = it->second;
        gl_.BindVertexArray(m.vertexArray);
        // What the mesh's vertices lack is the same for all of them.
        if (!m.attributes.colours) gl_.VertexAttrib4fv(kColour, call.current.colour);
        if (!m.attributes.normals) gl_.VertexAttrib3fv(kNormal, call.current.normal);
        if (!m.attributes.texCoords) gl_.VertexAttrib2fv(kTexCoord, call.current.texCoord);
        if (m.indices)
            gl_.DrawElements(m.mode, m.count, GL_UNSIGNED_INT, nullptr);
        else
            gl_.DrawArrays(m.mode, 0, m.count);
        gl_.BindVertexArray(0);
        return;
    }
    if (lines) {
        drawLines(call);
        return;
    }
    const size_t at = stream(call.vertices.data(), call.vertices.size_bytes());
    gl_.BindVertexArray(triangleArray_);
    gl_.DrawArrays(call.topology == Topology::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES,
                 static_cast<GLint>(at / sizeof(Vertex)), static_cast<GLsizei>(call.vertices.size()));
    gl_.BindVertexArray(0);
}

void GLDevice::drawLines(const DrawCall& call)
{
    const size_t count = call.vertices.size();
    const bool strip = call.topology == Topology::LineStrip;
    const size_t segments = strip ? count - 1 : count / 2;
    if (segments == 0) return;
    const size_t at = stream(call.vertices.data(), call.vertices.size_bytes());
    gl_.BindVertexArray(lineArray_);
    // Segment i runs from vertex i to i + 1 of a strip, from 2i to 2i + 1 of separate lines.
    const auto stride = static_cast<GLsizei>(sizeof(Vertex) * (strip ? 1 : 2));
    for (GLuint end = 0; end < 2; ++end) {
        const size_t base = at + end * sizeof(Vertex);
        const auto field = [base](size_t offset) { return reinterpret_cast<const void*>(base + offset); };
        gl_.VertexAttribPointer(4 * end + kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
        gl_.VertexAttribPointer(4 * end + kColour, 4, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, colour)));
        gl_.VertexAttribPointer(4 * end + kNormal, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, normal)));
        gl_.VertexAttribPointer(4 * end + kTexCoord, 2, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, texCoord)));
    }
    gl_.DrawArraysInstanced(GL_TRIANGLES, 0, 6, static_cast<GLsizei>(segments));
    gl_.BindVertexArray(0);
}

void GLDevice::drawInstances(const DrawCall& call, const Instances& instances)
{
    const auto it = meshes_.find(call.mesh);
    if (!call.state.program || !programLinked(call.state.program) || it == meshes_.end()) return;
    Program& p = programFor(call, false);
    use(p);
    setState(call.state);
    setUniforms(p, call, false);
    const StoredMesh& m = it->second;
    gl_.BindVertexArray(m.vertexArray);
    gl_.BindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.stride * instances.count), instances.records,
                 GL_STREAM_DRAW);
    for (const InstanceAttribute& a : instances.attributes) {
        auto found = p.named.find(a.name);
        if (found == p.named.end()) found = p.named.emplace(a.name, gl_.GetAttribLocation(p.name, a.name)).first;
        if (found->second < 0) continue;
        const auto location = static_cast<GLuint>(found->second);
        gl_.EnableVertexAttribArray(location);
        gl_.VertexAttribPointer(location, a.components, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(instances.stride),
                              reinterpret_cast<const void*>(a.offset));
        gl_.VertexAttribDivisor(location, 1);
    }
    if (m.indices)
        gl_.DrawElementsInstanced(m.mode, m.count, GL_UNSIGNED_INT, nullptr, static_cast<GLsizei>(instances.count));
    else
        gl_.DrawArraysInstanced(m.mode, 0, m.count, static_cast<GLsizei>(instances.count));
    // The mesh's arrays are left as it was made.
    for (const InstanceAttribute& a : instances.attributes)
        if (const GLint location = p.named.find(a.name)->second; location >= 0) {
            gl_.VertexAttribDivisor(static_cast<GLuint>(location), 0);
            gl_.DisableVertexAttribArray(static_cast<GLuint>(location));
        }
    gl_.BindVertexArray(0);
}
