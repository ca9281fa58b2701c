#include "bench/MasterGames.h"

// Each move sequence was replayed move by move with full legality, and every token is the
// canonical SAN of its move (disambiguation, capture mark, check and mate signs).
const std::array<CMasterGame, 21> masterGames = {{
    {"Paris Opera", "Paris FRA", "1858.11.02", "?", "Paul Morphy",
     "Duke Karl of Brunswick and Count Isouard", "1-0", "C41",
     "e4 e5 Nf3 d6 d4 Bg4 dxe5 Bxf3 Qxf3 dxe5 Bc4 Nf6 Qb3 Qe7 Nc3 c6 Bg5 b5 Nxb5 cxb5 "
     "Bxb5+ Nbd7 O-O-O Rd8 Rxd7 Rxd7 Rd1 Qe6 Bxd7+ Nxd7 Qb8+ Nxb8 Rd8#"},
    {"London", "London ENG", "1851.06.21", "?", "Adolf Anderssen", "Lionel Kieseritzky", "1-0",
     "C33",
     "e4 e5 f4 exf4 Bc4 Qh4+ Kf1 b5 Bxb5 Nf6 Nf3 Qh6 d3 Nh5 Nh4 Qg5 Nf5 c6 g4 Nf6 Rg1 "
     "cxb5 h4 Qg6 h5 Qg5 Qf3 Ng8 Bxf4 Qf6 Nc3 Bc5 Nd5 Qxb2 Bd6 Bxg1 e5 Qxa1+ Ke2 Na6 "
     "Nxg7+ Kd8 Qf6+ Nxf6 Be7#"},
    {"Berlin", "Berlin GER", "1852.??.??", "?", "Adolf Anderssen", "Jean Dufresne", "1-0", "C52",
     "e4 e5 Nf3 Nc6 Bc4 Bc5 b4 Bxb4 c3 Ba5 d4 exd4 O-O d3 Qb3 Qf6 e5 Qg6 Re1 Nge7 Ba3 "
     "b5 Qxb5 Rb8 Qa4 Bb6 Nbd2 Bb7 Ne4 Qf5 Bxd3 Qh5 Nf6+ gxf6 exf6 Rg8 Rad1 Qxf3 Rxe7+ "
     "Nxe7 Qxd7+ Kxd7 Bf5+ Ke8 Bd7+ Kf8 Bxe7#"},
    {"Third Rosenwald Trophy", "New York, NY USA", "1956.10.17", "8", "Donald Byrne",
     "Robert James Fischer", "0-1", "D92",
     "Nf3 Nf6 c4 g6 Nc3 Bg7 d4 O-O Bf4 d5 Qb3 dxc4 Qxc4 c6 e4 Nbd7 Rd1 Nb6 Qc5 Bg4 Bg5 "
     "Na4 Qa3 Nxc3 bxc3 Nxe4 Bxe7 Qb6 Bc4 Nxc3 Bc5 Rfe8+ Kf1 Be6 Bxb6 Bxc4+ Kg1 Ne2+ "
     "Kf1 Nxd4+ Kg1 Ne2+ Kf1 Nc3+ Kg1 axb6 Qb4 Ra4 Qxb6 Nxd1 h3 Rxa2 Kh2 Nxf2 Re1 Rxe1 "
     "Qd8+ Bf8 Nxe1 Bd5 Nf3 Ne4 Qb8 b5 h4 h5 Ne5 Kg7 Kg1 Bc5+ Kf1 Ng3+ Ke1 Bb4+ Kd1 "
     "Bb3+ Kc1 Ne2+ Kb1 Nc3+ Kc1 Rc2#"},
    {"Hoogovens Group A", "Wijk aan Zee NED", "1999.01.20", "4", "Garry Kasparov",
     "Veselin Topalov", "1-0", "B07",
     "e4 d6 d4 Nf6 Nc3 g6 Be3 Bg7 Qd2 c6 f3 b5 Nge2 Nbd7 Bh6 Bxh6 Qxh6 Bb7 a3 e5 O-O-O "
     "Qe7 Kb1 a6 Nc1 O-O-O Nb3 exd4 Rxd4 c5 Rd1 Nb6 g3 Kb8 Na5 Ba8 Bh3 d5 Qf4+ Ka7 "
     "Rhe1 d4 Nd5 Nbxd5 exd5 Qd6 Rxd4 cxd4 Re7+ Kb6 Qxd4+ Kxa5 b4+ Ka4 Qc3 Qxd5 Ra7 "
     "Bb7 Rxb7 Qc4 Qxf6 Kxa3 Qxa6+ Kxb4 c3+ Kxc3 Qa1+ Kd2 Qb2+ Kd1 Bf1 Rd2 Rd7 Rxd7 "
     "Bxc4 bxc4 Qxh8 Rd3 Qa8 c3 Qa4+ Ke1 f4 f5 Kc1 Rd2 Qa7"},
    {"World Championship 28th", "Reykjavik ISL", "1972.07.23", "6", "Robert James Fischer",
     "Boris Spassky", "1-0", "D59",
     "c4 e6 Nf3 d5 d4 Nf6 Nc3 Be7 Bg5 O-O e3 h6 Bh4 b6 cxd5 Nxd5 Bxe7 Qxe7 Nxd5 exd5 "
     "Rc1 Be6 Qa4 c5 Qa3 Rc8 Bb5 a6 dxc5 bxc5 O-O Ra7 Be2 Nd7 Nd4 Qf8 Nxe6 fxe6 e4 d4 "
     "f4 Qe7 e5 Rb8 Bc4 Kh8 Qh3 Nf8 b3 a5 f5 exf5 Rxf5 Nh7 Rcf1 Qd8 Qg3 Re7 h4 Rbb7 e6 "
     "Rbc7 Qe5 Qe8 a4 Qd8 R1f2 Qe8 R2f3 Qd8 Bd3 Qe8 Qe4 Nf6 Rxf6 gxf6 Rxf6 Kg8 Bc4 Kh8 "
     "Qf4"},
    {"World Championship 32nd", "Moscow URS", "1985.10.15", "16", "Anatoly Karpov",
     "Garry Kasparov", "0-1", "B44",
     "e4 c5 Nf3 e6 d4 cxd4 Nxd4 Nc6 Nb5 d6 c4 Nf6 N1c3 a6 Na3 d5 cxd5 exd5 exd5 Nb4 "
     "Be2 Bc5 O-O O-O Bf3 Bf5 Bg5 Re8 Qd2 b5 Rad1 Nd3 Nab1 h6 Bh4 b4 Na4 Bd6 Bg3 Rc8 "
     "b3 g5 Bxd6 Qxd6 g3 Nd7 Bg2 Qf6 a3 a5 axb4 axb4 Qa2 Bg6 d6 g4 Qd2 Kg7 f3 Qxd6 "
     "fxg4 Qd4+ Kh1 Nf6 Rf4 Ne4 Qxd3 Nf2+ Rxf2 Bxd3 Rfd2 Qe3 Rxd3 Rc1 Nb2 Qf2 Nd2 "
     "Rxd1+ Nxd1 Re1+"},
    {"Vienna", "Vienna AUH", "1910.??.??", "?", "Richard R\xC3\xA9ti", "Savielly Tartakower", "1-0",
     "B15",
     "e4 c6 d4 d5 Nc3 dxe4 Nxe4 Nf6 Qd3 e5 dxe5 Qa5+ Bd2 Qxe5 O-O-O Nxe4 Qd8+ Kxd8 "
     "Bg5+ Kc7 Bd8#"},
    {"New Orleans", "New Orleans, LA USA", "1920.??.??", "?", "Edwin Adams", "Carlos Torre Repetto",
     "1-0", "C41",
     "e4 e5 Nf3 d6 d4 exd4 Qxd4 Nc6 Bb5 Bd7 Bxc6 Bxc6 Nc3 Nf6 O-O Be7 Nd5 Bxd5 exd5 "
     "O-O Bg5 c6 c4 cxd5 cxd5 Re8 Rfe1 a5 Re2 Rc8 Rae1 Qd7 Bxf6 Bxf6 Qg4 Qb5 Qc4 Qd7 "
     "Qc7 Qb5 a4 Qxa4 Re4 Qb5 Qxb7"},
    {"Breslau", "Breslau GER", "1912.07.20", "?", "Stefan Levitsky", "Frank James Marshall", "0-1",
     "C10",
     "d4 e6 e4 d5 Nc3 c5 Nf3 Nc6 exd5 exd5 Be2 Nf6 O-O Be7 Bg5 O-O dxc5 Be6 Nd4 Bxc5 "
     "Nxe6 fxe6 Bg4 Qd6 Bh3 Rae8 Qd2 Bb4 Bxf6 Rxf6 Rad1 Qc5 Qe2 Bxc3 bxc3 Qxc3 Rxd5 "
     "Nd4 Qh5 Ref8 Re5 Rh6 Qg5 Rxh3 Rc5 Qg3"},
    {"London", "London ENG", "1912.10.29", "?", "Edward Lasker", "George Alan Thomas", "1-0", "A84",
     "d4 e6 Nf3 f5 Nc3 Nf6 Bg5 Be7 Bxf6 Bxf6 e4 fxe4 Nxe4 b6 Ne5 O-O Bd3 Bb7 Qh5 Qe7 "
     "Qxh7+ Kxh7 Nxf6+ Kh6 Neg4+ Kg5 h4+ Kf4 g3+ Kf3 Be2+ Kg2 Rh2+ Kg1 Kd2#"},
    {"Lodz", "Lodz POL", "1907.12.26", "?", "Georg Rotlewi", "Akiba Rubinstein", "0-1", "D32",
     "d4 d5 Nf3 e6 e3 c5 c4 Nc6 Nc3 Nf6 dxc5 Bxc5 a3 a6 b4 Bd6 Bb2 O-O Qd2 Qe7 Bd3 "
     "dxc4 Bxc4 b5 Bd3 Rd8 Qe2 Bb7 O-O Ne5 Nxe5 Bxe5 f4 Bc7 e4 Rac8 e5 Bb6+ Kh1 Ng4 "
     "Be4 Qh4 g3 Rxc3 gxh4 Rd2 Qxd2 Bxe4+ Qg2 Rh3"},
    {"IBM Man-Machine", "New York, NY USA", "1997.05.11", "6", "Deep Blue", "Garry Kasparov", "1-0",
     "B17",
     "e4 c6 d4 d5 Nc3 dxe4 Nxe4 Nd7 Ng5 Ngf6 Bd3 e6 N1f3 h6 Nxe6 Qe7 O-O fxe6 Bg6+ Kd8 "
     "Bf4 b5 a4 Bb7 Re1 Nd5 Bg3 Kc8 axb5 cxb5 Qd3 Bc6 Bf5 exf5 Rxe7 Bxe7 c4"},
    {"Hastings", "Hastings ENG", "1895.08.17", "10", "Wilhelm Steinitz", "Curt von Bardeleben",
     "1-0", "C54",
     "e4 e5 Nf3 Nc6 Bc4 Bc5 c3 Nf6 d4 exd4 cxd4 Bb4+ Nc3 d5 exd5 Nxd5 O-O Be6 Bg5 Be7 "
     "Bxd5 Bxd5 Nxd5 Qxd5 Bxe7 Nxe7 Re1 f6 Qe2 Qd7 Rac1 c6 d5 cxd5 Nd4 Kf7 Ne6 Rhc8 "
     "Qg4 g6 Ng5+ Ke8 Rxe7+ Kf8 Rf7+ Kg8 Rg7+ Kh8 Rxh7+"},
    {"Paris", "Paris FRA", "1750.??.??", "?", "Kermur Sire de Legall", "Saint Brie", "1-0", "C41",
     "e4 e5 Nf3 d6 Bc4 Bg4 Nc3 g6 Nxe5 Bxd1 Bxf7+ Ke7 Nd5#"},
    {"Copenhagen", "Copenhagen DEN", "1923.03.??", "?", "Friedrich S\xC3\xA4misch",
     "Aron Nimzowitsch", "0-1", "E18",
     "d4 Nf6 c4 e6 Nf3 b6 g3 Bb7 Bg2 Be7 Nc3 O-O O-O d5 Ne5 c6 cxd5 cxd5 Bf4 a6 Rc1 b5 "
     "Qb3 Nc6 Nxc6 Bxc6 h3 Qd7 Kh2 Nh5 Bd2 f5 Qd1 b4 Nb1 Bb5 Rg1 Bd6 e4 fxe4 Qxh5 Rxf2 "
     "Qg5 Raf8 Kh1 R8f5 Qe3 Bd3 Rce1 h6"},
    {"Tilburg", "Tilburg NED", "1991.??.??", "?", "Nigel Short", "Jan Timman", "1-0", "B04",
     "e4 Nf6 e5 Nd5 d4 d6 Nf3 g6 Bc4 Nb6 Bb3 Bg7 Qe2 Nc6 O-O O-O h3 a5 a4 dxe5 dxe5 "
     "Nd4 Nxd4 Qxd4 Re1 e6 Nd2 Nd5 Nf3 Qc5 Qe4 Qb4 Bc4 Nb6 b3 Nxc4 bxc4 Re8 Rd1 Qc5 "
     "Qh4 b6 Be3 Qc6 Bh6 Bh8 Rd8 Bb7 Rad1 Bg7 R8d7 Rf8 Bxg7 Kxg7 R1d4 Rae8 Qf6+ Kg8 h4 "
     "h5 Kh2 Rc8 Kg3 Rce8 Kf4 Bc8 Kg5"},
    {"Casual game", "Europe", "1620.??.??", "?", "Gioachino Greco", "NN", "1-0", "C40",
     "e4 e5 Nf3 f6 Nxe5 fxe5 Qh5+ Ke7 Qxe5+ Kf7 Bc4+ d5 Bxd5+ Kg6 h4 h5 Bxb7 Bxb7 Qf5+ "
     "Kh6 d4+ g5 Qf7 Qe7 hxg5+ Qxg5 Rxh5#"},
    {"Casual game", "New York, NY USA", "1963.??.??", "?", "Robert James Fischer", "Reuben Fine",
     "1-0", "C52",
     "e4 e5 Nf3 Nc6 Bc4 Bc5 b4 Bxb4 c3 Ba5 d4 exd4 O-O dxc3 Qb3 Qe7 Nxc3 Nf6 Nd5 Nxd5 "
     "exd5 Ne5 Nxe5 Qxe5 Bb2 Qg5 h4 Qxh4 Bxg7 Rg8 Rfe1+ Kd8 Qg3"},
    {"US Championship 1963/64", "New York, NY USA", "1963.12.??", "?", "Robert James Fischer",
     "Pal Benko", "1-0", "B09",
     "e4 g6 d4 Bg7 Nc3 d6 f4 Nf6 Nf3 O-O Bd3 Bg4 h3 Bxf3 Qxf3 Nc6 Be3 e5 dxe5 dxe5 f5 "
     "gxf5 Qxf5 Nd4 Qf2 Ne8 O-O Nd6 Qg3 Kh8 Qg4 c6 Qh5 Qe8 Bxd4 exd4 Rf6 Kg8 e5 h6 Ne2"},
    {"Amsterdam", "Amsterdam NED", "1889.08.??", "?", "Emanuel Lasker", "Johann Bauer", "1-0",
     "A03",
     "f4 d5 e3 Nf6 b3 e6 Bb2 Be7 Bd3 b6 Nc3 Bb7 Nf3 Nbd7 O-O O-O Ne2 c5 Ng3 Qc7 Ne5 "
     "Nxe5 Bxe5 Qc6 Qe2 a6 Nh5 Nxh5 Bxh7+ Kxh7 Qxh5+ Kg8 Bxg7 Kxg7 Qg4+ Kh7 Rf3 e5 "
     "Rh3+ Qh6 Rxh6+ Kxh6 Qd7 Bf6 Qxb7 Kg7 Rf1 Rab8 Qd7 Rfd8 Qg4+ Kf8 fxe5 Bg7 e6 Rb7 "
     "Qg6 f6 Rxf6+ Bxf6 Qxf6+ Ke8 Qh8+ Ke7 Qg7+ Kxe6 Qxb7 Rd6 Qxa6 d4 exd4 cxd4 h4 d3 "
     "Qxd3"},
}};
