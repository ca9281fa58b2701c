#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Slit.h"
#include "tools/asset-gen/Staunton.h"

Mesh BishopMesh() {
    Profile body;
    StauntonBase(body, 1.0f);
    // Tall slender stem up to a double collar.
    body.Curve(3.6f, 3.1f, 2.3f, 8.0f, 2.0f, 15.2f, 7, false);
    Collar(body, 1.9f, 3.6f, 0.9f);
    body.Smooth(1.9f, 16.5f);
    Collar(body, 1.7f, 2.9f, 0.6f);
    body.Smooth(1.65f, 17.3f);
    body.Crease();
    Mesh mesh = Lathe(body, kLatheSegments);

    // The mitre: an egg narrowing to a point, with its diagonal cut.
    Profile mitre;
    mitre.Sharp(1.65f, 17.3f);
    mitre.Curve(3.3f, 17.6f, 3.75f, 20.4f, 3.15f, 22.6f, 8, false);
    mitre.Curve(2.6f, 24.6f, 1.4f, 25.7f, 0.55f, 26.35f, 7, true);
    SlitShape slit;
    slit.centreY = 22.9f;
    slit.tilt = -0.62f;
    slit.width = 0.85f; // about 4 pixels on the back rank in the default view
    slit.depth = -0.45f;
    mesh.Append(CutSlit(Lathe(mitre, 28), mitre, slit));

    // Small ball finial.
    Profile finial;
    finial.Sharp(0.55f, 26.35f);
    finial.Sharp(0.0f, 26.35f);
    finial.Sharp(0.55f, 26.35f);
    finial.Smooth(0.5f, 26.6f);
    BallTop(finial, 1.15f, 8);
    mesh.Append(Lathe(finial, 16));
    return mesh;
}
