// Shared by the filters: passes colour and texture coordinate through the fixed transform.
void main()
{
    gl_FrontColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
