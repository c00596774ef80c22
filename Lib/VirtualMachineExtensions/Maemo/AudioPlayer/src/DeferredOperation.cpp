#include "DeferredOperation.h"

#include "AudioPlayer.h"

DeferredOperation::DeferredOperation(VMHeap& aHeap, TVMAddress anObject, AudioPlayer& aPlayer,
                                     Operation anOperation)
    : heap(aHeap), object(anObject), player(aPlayer), operation(anOperation) {
    heap.addRoot(object);
}

DeferredOperation::~DeferredOperation() {
    heap.removeRoot(object);
}

void DeferredOperation::run() {
    (player.*operation)();
}
