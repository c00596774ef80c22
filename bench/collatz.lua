-- Collatz chains, three rounds: for every start from 1 to 99999, n is halved while even
-- and becomes 3 n + 1 while odd, until it reaches 1 (below 2^31 all the way for these
-- starts). Prints the steps of all the chains together.
local total = 0
for round = 1, 3 do
    for start = 1, 99999 do
        local n = start
        while n ~= 1 do
            if n & 1 == 0 then
                n = n // 2
            else
                n = 3 * n + 1
            end
            total = total + 1
        end
    end
end
print(total)
