// Result codes of the host: error statuses, editor input statuses, result-buffer types.
#pragma once

namespace Plad {

/// Status answered by every host operation; 0 is success.
enum ErrorStatus : int {
    eOk = 0,
    eNotImplementedYet = 1,
    eInvalidInput = 3,
    eOutOfMemory = 15,
    eNullObjectId = 16,
    eKeyNotFound = 22,
    eDuplicateKey = 23,
    eWasErased = 76,
    eNullObjectPointer = 100,
    eNoDatabase = 124,
    eUserBreak = 180,
    eWasOpenForRead = 83,
    eWasOpenForWrite = 84,
    eNotOpenForWrite = 85,
    eWasNotifying = 111,
    eOutOfRange = 175,
    eNoDocument = 330,
    eNoDependentModule = 374,
    eLoadFailed = 503,
    eInvalidObjectId = 600,
    eLockViolation = 20048,
    eAlreadyInitialized = 20051,
};

}  // namespace Plad

/// Statuses of the editor's input calls.
enum InputStatus : int {
    PLRTNORM = 5100,    ///< a value, a text or a declared keyword
    PLRTNONE = 5000,    ///< Enter without anything typed
    PLRTERROR = -5001,  ///< error, or no buffer/text to copy
    PLRTCAN = -5002,    ///< the user cancelled
    PLRTKWORD = -5005,  ///< a keyword answered a point or number prompt
    PLRTTRUNC = -5008,  ///< the reply did not fit the caller's buffer
};

/// Value types of a result buffer.
enum ResbufType : short {
    PLRTREAL = 5001,   ///< double
    PLRTSHORT = 5003,  ///< 16-bit integer
    PLRTSTR = 5005,    ///< wide text
    PLRTLONG = 5010,   ///< 32-bit integer
};
