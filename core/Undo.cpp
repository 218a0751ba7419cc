#include "core/Undo.h"

void TakeSnapshot(Editor& e)
{
    e.Undo1.assign(e.picMini);
}

void Cofnij(Editor& e)
{
    ImageChange change(e.picMini, ChangeCause::Undo);
    e.Undo2.assign(e.picMini);
    e.picMini.assign(e.Undo1);
    e.Undo1.assign(e.Undo2);
    e.Undo2.clear();
}
