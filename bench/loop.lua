-- A tight integer loop: 50 million iterations of arithmetic, a comparison and a branch,
-- with 32-bit wrap-around. Prints 1283106752.
local sum = 0
local i = 0
while i < 50000000 do
    sum = (sum + (i ~ 7)) & 0xFFFFFFFF
    i = i + 1
end
if sum >= 0x80000000 then sum = sum - 0x100000000 end
print(sum)
