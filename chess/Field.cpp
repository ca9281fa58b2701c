#include "chess/Field.h"

#include "chess/ChessExceptions.h"

void CField::ThrowOccupied() {
    throw CFieldException("CField::PutPiece(): There is already a piece here!");
}

void CField::ThrowAlreadyEmpty() {
    throw CFieldException("CField::TakePiece(): The field is already empty!");
}

void CField::ThrowEmpty() {
    throw CFieldException("CField::Piece(): The field is empty!");
}
