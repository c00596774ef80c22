// The extension host: extensions made from their factory on first use, once, and the
// protocol of an extension call (operands from the top of the stack, results replacing
// them, the new top index returned) as extensions see it through ExtensionCall.
#include "ExtensionHost.h"
#include "ErrorHandling.h"
#include "ExtensionCall.h"
#include "GcCodes.h"
#include "HeapCells.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// 1: the int on top added to the fixed value under it; 2: the length of the string on
// top; 3: pops the int on top; 4: pushes the fixed value 1.5.
class Adder : public Extension {
public:
    explicit Adder(const ExtensionContext& context) : machine(context.machine) { ++made; }

    TInt32 callDllNative(TInt32 function, TInt32 top, TVMAddress stackAddress) override {
        ExtensionCall call(machine, top, stackAddress);
        switch (function) {
        case 1: {
            const TInt32 addend = call.integer();
            call.answerFixed(call.fixed() + (TInt64{addend} << 32));
            break;
        }
        case 2: call.answer(static_cast<TUint32>(call.string().length())); break;
        case 3:
            call.integer();
            call.pop();
            break;
        case 4: call.answerFixed(TInt64{3} << 31); break;
        default: machine.reportFatalError("Adder: Unknown opcode!", -1);
        }
        return call.newTop();
    }

    static inline int made = 0;

private:
    MVMCallbackInterface& machine;
};

constexpr ExtensionFactory kTestExtensions[] = {
    {20, "Adder", [](const ExtensionContext& context) -> std::unique_ptr<Extension> {
         return std::make_unique<Adder>(context);
     }}};

struct ExtensionHostTest : ::testing::Test {
    ExtensionHostTest() {
        Adder::made = 0;
        host.attach(machine, services);
        stack = machine.getHeap().allocateBytes(16 * 4, GC_CODE_DATA);
    }
    void setSlot(TInt32 index, TUint32 value) {
        machine.memory().store32(stack + 4 * index, value);
    }
    TUint32 slot(TInt32 index) { return machine.memory().load32(stack + 4 * index); }
    TInt32 call(TInt32 function, TInt32 top) {
        return host.callExtension(20, function, top, stack);
    }

    VirtualMachine machine;
    HostServices services;
    ExtensionHost host{kTestExtensions};
    TVMAddress stack = 0;
};

TEST_F(ExtensionHostTest, AnExtensionIsMadeOnceOnItsFirstCallAndAnUnknownOneNever) {
    EXPECT_EQ(raisedCode([&] { host.callExtension(21, 1, 0, stack); }), EVMException);
    EXPECT_EQ(latin1(lastErrorMessage()), "VMException: Dll not supported");
    EXPECT_EQ(Adder::made, 0);
    setSlot(1, 7);
    call(3, 1);
    call(3, 1);
    EXPECT_EQ(Adder::made, 1);
}

TEST_F(ExtensionHostTest, ResultsReplaceTheOperandsAndTheNewTopIsReturned) {
    setSlot(0, 99);
    setSlot(1, 0); // 2.0, low word
    setSlot(2, 2); // high word
    setSlot(3, 5); // + 5
    EXPECT_EQ(call(1, 3), 2);
    // Slots below the operands stay.
    EXPECT_EQ((std::tuple{slot(0), slot(1), slot(2)}), (std::tuple{99u, 0u, 7u}));
    EXPECT_EQ(call(3, 2), 1) << "a function that only pops";
    EXPECT_EQ(call(4, 1), 3) << "a two-slot value pushed onto the stack";
    EXPECT_EQ((std::tuple{slot(2), slot(3)}), (std::tuple{0x80000000u, 1u}));
}

TEST_F(ExtensionHostTest, StringOperandsAndOperandsOutsideTheStack) {
    setSlot(1, newStringCell(machine.getHeap(), OString("four")));
    EXPECT_EQ((std::tuple{call(2, 1), slot(1)}), (std::tuple{1, 4u}));
    setSlot(1, 0);
    EXPECT_EQ(raisedCode([&] { call(2, 1); }), ENullPointer);
    EXPECT_EQ(raisedCode([&] { call(3, -1); }), EFatalMachineError);
}

} // namespace
