#include "tools/asset-gen/Models.h"

#include "tools/asset-gen/ObjWriter.h"
#include "tools/asset-gen/Pieces.h"

void WriteModels(const std::string& folder) {
    WriteObj(folder + "/Pawn.obj", PawnMesh(), "pawn");
    WriteObj(folder + "/Rook.obj", RookMesh(), "rook");
    WriteObj(folder + "/Knight.obj", KnightMesh(), "knight");
    WriteObj(folder + "/Bishop.obj", BishopMesh(), "bishop");
    WriteObj(folder + "/Dame.obj", QueenMesh(), "queen");
    WriteObj(folder + "/King.obj", KingMesh(), "king");
}
