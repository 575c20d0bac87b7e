#!/usr/bin/env bash
# The programs draw through OpenGL 3.3 core / ES 3.0 alone: among the GL commands they fetch
# from the driver (by name: the "glName" strings in the program) there is none that only a
# compatibility profile has, and they take nothing from GLU.
set -u
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

# The OpenGL commands a core profile removed (from the GL 3.2 core profile's removals).
compatibility_only="
Accum AlphaFunc AreTexturesResident ArrayElement Begin Bitmap CallList CallLists ClearAccum
ClearIndex ClientActiveTexture ClipPlane Color3b Color3bv Color3d Color3dv Color3f Color3fv Color3i
Color3iv Color3s Color3sv Color3ub Color3ubv Color3ui Color3uiv Color3us Color3usv Color4b Color4bv
Color4d Color4dv Color4f Color4fv Color4i Color4iv Color4s Color4sv Color4ub Color4ubv Color4ui
Color4uiv Color4us Color4usv ColorMaterial ColorPointer CopyPixels DeleteLists DisableClientState
DrawPixels EdgeFlag EdgeFlagPointer EdgeFlagv EnableClientState End EndList EvalCoord1d EvalCoord1dv
EvalCoord1f EvalCoord1fv EvalCoord2d EvalCoord2dv EvalCoord2f EvalCoord2fv EvalMesh1 EvalMesh2
EvalPoint1 EvalPoint2 FeedbackBuffer FogCoordPointer FogCoordd FogCoorddv FogCoordf FogCoordfv Fogf
Fogfv Fogi Fogiv Frustum GenLists GetClipPlane GetLightfv GetLightiv GetMapdv GetMapfv GetMapiv
GetMaterialfv GetMaterialiv GetPixelMapfv GetPixelMapuiv GetPixelMapusv GetPointerv
GetPolygonStipple GetTexEnvfv GetTexEnviv GetTexGendv GetTexGenfv GetTexGeniv IndexMask IndexPointer
Indexd Indexdv Indexf Indexfv Indexi Indexiv Indexs Indexsv Indexub Indexubv InitNames
InterleavedArrays IsList LightModelf LightModelfv LightModeli LightModeliv Lightf Lightfv Lighti
Lightiv LineStipple ListBase LoadIdentity LoadMatrixd LoadMatrixf LoadName LoadTransposeMatrixd
LoadTransposeMatrixf Map1d Map1f Map2d Map2f MapGrid1d MapGrid1f MapGrid2d MapGrid2f Materialf
Materialfv Materiali Materialiv MatrixMode MultMatrixd MultMatrixf MultTransposeMatrixd
MultTransposeMatrixf MultiTexCoord1d MultiTexCoord1dv MultiTexCoord1f MultiTexCoord1fv
MultiTexCoord1i MultiTexCoord1iv MultiTexCoord1s MultiTexCoord1sv MultiTexCoord2d MultiTexCoord2dv
MultiTexCoord2f MultiTexCoord2fv MultiTexCoord2i MultiTexCoord2iv MultiTexCoord2s MultiTexCoord2sv
MultiTexCoord3d MultiTexCoord3dv MultiTexCoord3f MultiTexCoord3fv MultiTexCoord3i MultiTexCoord3iv
MultiTexCoord3s MultiTexCoord3sv MultiTexCoord4d MultiTexCoord4dv MultiTexCoord4f MultiTexCoord4fv
MultiTexCoord4i MultiTexCoord4iv MultiTexCoord4s MultiTexCoord4sv NewList Normal3b Normal3bv
Normal3d Normal3dv Normal3f Normal3fv Normal3i Normal3iv Normal3s Normal3sv NormalPointer Ortho
PassThrough PixelMapfv PixelMapuiv PixelMapusv PixelTransferf PixelTransferi PixelZoom
PolygonStipple PopAttrib PopClientAttrib PopMatrix PopName PrioritizeTextures PushAttrib
PushClientAttrib PushMatrix PushName RasterPos2d RasterPos2dv RasterPos2f RasterPos2fv RasterPos2i
RasterPos2iv RasterPos2s RasterPos2sv RasterPos3d RasterPos3dv RasterPos3f RasterPos3fv RasterPos3i
RasterPos3iv RasterPos3s RasterPos3sv RasterPos4d RasterPos4dv RasterPos4f RasterPos4fv RasterPos4i
RasterPos4iv RasterPos4s RasterPos4sv Rectd Rectdv Rectf Rectfv Recti Rectiv Rects Rectsv RenderMode
Rotated Rotatef Scaled Scalef SecondaryColor3b SecondaryColor3bv SecondaryColor3d SecondaryColor3dv
SecondaryColor3f SecondaryColor3fv SecondaryColor3i SecondaryColor3iv SecondaryColor3s
SecondaryColor3sv SecondaryColor3ub SecondaryColor3ubv SecondaryColor3ui SecondaryColor3uiv
SecondaryColor3us SecondaryColor3usv SecondaryColorPointer SelectBuffer ShadeModel TexCoord1d
TexCoord1dv TexCoord1f TexCoord1fv TexCoord1i TexCoord1iv TexCoord1s TexCoord1sv TexCoord2d
TexCoord2dv TexCoord2f TexCoord2fv TexCoord2i TexCoord2iv TexCoord2s TexCoord2sv TexCoord3d
TexCoord3dv TexCoord3f TexCoord3fv TexCoord3i TexCoord3iv TexCoord3s TexCoord3sv TexCoord4d
TexCoord4dv TexCoord4f TexCoord4fv TexCoord4i TexCoord4iv TexCoord4s TexCoord4sv TexCoordPointer
TexEnvf TexEnvfv TexEnvi TexEnviv TexGend TexGendv TexGenf TexGenfv TexGeni TexGeniv Translated
Translatef Vertex2d Vertex2dv Vertex2f Vertex2fv Vertex2i Vertex2iv Vertex2s Vertex2sv Vertex3d
Vertex3dv Vertex3f Vertex3fv Vertex3i Vertex3iv Vertex3s Vertex3sv Vertex4d Vertex4dv Vertex4f
Vertex4fv Vertex4i Vertex4iv Vertex4s Vertex4sv VertexPointer WindowPos2d WindowPos2dv WindowPos2f
WindowPos2fv WindowPos2i WindowPos2iv WindowPos2s WindowPos2sv WindowPos3d WindowPos3dv WindowPos3f
WindowPos3fv WindowPos3i WindowPos3iv WindowPos3s WindowPos3sv
"

for program in orvale-invit orvale-capture; do
  binary="$build/$program"
  [ -x "$binary" ] || fail "$binary is not built"
  symbols=$(nm -D "$binary") || fail "cannot read the symbols of $binary"
  used=$(strings -a "$binary" | grep -xE 'gl[A-Z][A-Za-z0-9]*' | sed 's/^gl//' | sort -u)
  [ "$(wc -l <<<"$used")" -gt 30 ] || fail "$program reaches next to no GL entry points: the check reads nothing"
  for name in $used; do
    if grep -qw -- "$name" <<<"$compatibility_only"; then
      fail "$program uses gl$name, which only a compatibility profile has"
    fi
  done
  if grep -qE ' U glu[A-Z]' <<<"$symbols"; then fail "$program calls GLU"; fi
  dynamic=$(readelf -d "$binary") || fail "cannot read the dynamic section of $binary"
  if grep -q 'libGLU' <<<"$dynamic"; then fail "$program links libGLU"; fi
done
echo "ok"
