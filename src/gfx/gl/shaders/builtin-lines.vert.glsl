// The built-in shading of lines: one instance per segment from A to B, six vertices (two
// triangles) covering what the rasteriser covers for it. Both ends are shaded, the segment
// is clipped to the view volume (the ends' values interpolated), then widened in window
// coordinates.
//
// Smooth lines are rectangles of width w + 1 (2 for w <= 1) around the segment, lengthened by
// half a pixel at each end, whose coverage falls off over the outer pixel of each side and end
// (vLine: the distance across and along the rectangle's middle, and their half extents).
// Lines without smoothing are parallelograms w wide along the minor axis, ending at the ends.
in vec3 aPositionA;
in vec4 aColourA;
in vec3 aNormalA;
in vec2 aTexCoordA;
in vec3 aPositionB;
in vec4 aColourB;
in vec3 aNormalB;
in vec2 aTexCoordB;
uniform vec2 uViewportScale;   // half the viewport's width and height, pixels
uniform vec2 uViewportOffset;  // its centre in window pixels
uniform float uLineWidth;
uniform int uSmoothLines;
out vec4 vColour;
out vec2 vTexCoord;
out float vFogCoord;
out vec4 vLine;

struct End {
    vec4 clip;
    vec4 colour;
    vec2 texCoord;
    float fogCoord;
};

End between(End p, End q, float t)
{
    End e;
    e.clip = p.clip + t * (q.clip - p.clip);
    e.colour = p.colour + t * (q.colour - p.colour);
    e.texCoord = p.texCoord + t * (q.texCoord - p.texCoord);
    e.fogCoord = p.fogCoord + t * (q.fogCoord - p.fogCoord);
    return e;
}

// The distance of a clip-space point inside one of the view volume's planes, as the
// rasteriser works it out (negative: outside).
float inside(vec4 p, vec4 plane) { return p.x * plane.x + p.y * plane.y + p.z * plane.z + p.w * plane.w; }

// Clips the segment to the view volume as the rasteriser clips lines: each end moved in by
// the largest fraction any plane asks of it. False when nothing of it is inside.
bool clipToVolume(inout End a, inout End b)
{
    const vec4 kPlanes[6] = vec4[6](vec4(-1.0, 0.0, 0.0, 1.0), vec4(1.0, 0.0, 0.0, 1.0), vec4(0.0, -1.0, 0.0, 1.0),
                                    vec4(0.0, 1.0, 0.0, 1.0), vec4(0.0, 0.0, 1.0, 1.0), vec4(0.0, 0.0, -1.0, 1.0));
    float ta = 0.0, tb = 0.0;
    bool outsideA = false, outsideB = false;
    for (int i = 0; i < 6; ++i) {
        float da = inside(a.clip, kPlanes[i]), db = inside(b.clip, kPlanes[i]);
        if (db < 0.0) {
            tb = max(tb, db / (db - da));
            outsideB = true;
        }
        if (da < 0.0) {
            ta = max(ta, da / (da - db));
            outsideA = true;
        }
        if (ta + tb >= 1.0) return false;
    }
    // No ?: between structures: WebGL does not take it.
    End clippedA = a;
    if (outsideA) clippedA = between(a, b, ta);
    if (outsideB) b = between(b, a, tb);
    a = clippedA;
    return true;
}

End shadedEnd(vec3 position, vec4 colour, vec3 normal, vec2 texCoord)
{
    ShadedVertex v = shade(position, colour, normal);
    End e;
    e.clip = v.clip;
    e.colour = v.colour;
    e.texCoord = texCoord;
    e.fogCoord = v.fogCoord;
    return e;
}

vec2 toWindow(vec4 clip)
{
    return clip.xy * (1.0 / clip.w) * uViewportScale + uViewportOffset;
}

void main()
{
    End a = shadedEnd(aPositionA, aColourA, aNormalA, aTexCoordA);
    End b = shadedEnd(aPositionB, aColourB, aNormalB, aTexCoordB);
    if (!clipToVolume(a, b)) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);  // nothing of it is seen
        return;
    }
    // The rectangle's corners: 0 and 1 at A's end, 2 and 3 at B's, the even ones to the left.
    const int kCorners[6] = int[6](2, 1, 0, 3, 1, 2);
    int corner = kCorners[gl_VertexID];
    End e = b;
    if (corner < 2) e = a;
    float along = corner < 2 ? -1.0 : 1.0;
    float across = corner % 2 == 0 ? 1.0 : -1.0;

    vec2 wa = toWindow(a.clip), wb = toWindow(b.clip);
    vec2 d = wb - wa;
    float extent = sqrt(d.x * d.x + d.y * d.y);
    vec2 dir = extent > 0.0 ? d / extent : vec2(1.0, 0.0);
    vec2 offset;
    if (uSmoothLines != 0) {
        float halfWidth = uLineWidth <= 1.0 ? 1.0 : 0.5 * uLineWidth + 0.5;
        float halfLength = 0.5 * extent;
        // A segment shorter than a pixel fades with its length instead of keeping half its alpha.
        halfLength = halfLength < 0.5 ? 2.0 * halfLength : halfLength + 0.5;
        offset = along * 0.5 * dir + across * halfWidth * vec2(-dir.y, dir.x);
        vLine = vec4(-across * halfWidth, halfWidth, along * halfLength, halfLength);
    } else {
        vec2 minor = abs(d.x) >= abs(d.y) ? vec2(0.0, 1.0) : vec2(1.0, 0.0);
        offset = across * 0.5 * uLineWidth * minor;
        vLine = vec4(0.0);
    }
    vec2 window = (corner < 2 ? wa : wb) + offset;
    gl_Position = vec4((window - uViewportOffset) / uViewportScale * e.clip.w, e.clip.z, e.clip.w);
    vColour = e.colour;
    vTexCoord = e.texCoord;
    vFogCoord = e.fogCoord;
}
