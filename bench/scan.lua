-- A string of 100000 pieces "ab," scanned 20 times character by character (string.byte),
-- counting its commas. Prints 2000000.
local s = string.rep("ab,", 100000)
local total = 0
for round = 1, 20 do
    for i = 1, #s do
        if s:byte(i) == 44 then total = total + 1 end
    end
end
print(total)
